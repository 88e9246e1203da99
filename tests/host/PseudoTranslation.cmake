# SPDX-License-Identifier: MIT
# Turns the .ts file TS, as lupdate made it from the sources, into a
# pseudo-translation: every text becomes itself between the markers ⟦ and ⟧,
# so that a text shown without them is one that bypasses translation.
file(READ "${TS}" ts)
string(REGEX REPLACE "<source>([^<]*)</source>([ \t\r\n]*)<translation type=\"unfinished\"></translation>"
       "<source>\\1</source>\\2<translation>⟦\\1⟧</translation>" ts "${ts}")
file(WRITE "${TS}" "${ts}")
