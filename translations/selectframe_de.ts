<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>selectframe::TCustomHeader</name>
    <message>
        <source>Sort ascending</source>
        <translation>Aufsteigend sortieren</translation>
    </message>
    <message>
        <source>Sort descending</source>
        <translation>Absteigend sortieren</translation>
    </message>
    <message>
        <source>Do not sort</source>
        <translation>Nicht sortieren</translation>
    </message>
</context>
<context>
    <name>selectframe::TCustomSelectFrameControl</name>
    <message>
        <source>Find search engines</source>
        <translation>Suchmaschinen finden</translation>
    </message>
    <message>
        <source>Group by ...</source>
        <translation>Gruppieren nach ...</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>Check All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Check</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Uncheck all</source>
        <translation>Alle abwählen</translation>
    </message>
    <message>
        <source>Total: 0</source>
        <translation>Gesamt: 0</translation>
    </message>
    <message>
        <source>Checked: 0</source>
        <translation>Ausgewählt: 0</translation>
    </message>
    <message>
        <source>Organize Favorites...</source>
        <translation>Favoriten verwalten...</translation>
    </message>
    <message>
        <source>Uncheck All</source>
        <translation>Alle abwählen</translation>
    </message>
    <message>
        <source>Check favorite SEs</source>
        <translation>Bevorzugte Suchmaschinen auswählen</translation>
    </message>
    <message>
        <source>Mark selected as favorite SEs</source>
        <translation>Ausgewählte als bevorzugte Suchmaschinen festlegen</translation>
    </message>
    <message>
        <source>Clear the list of favorite SEs</source>
        <translation>Liste der bevorzugten Suchmaschinen leeren</translation>
    </message>
    <message>
        <source>Check by %1</source>
        <translation>Auswählen nach %1</translation>
    </message>
    <message>
        <source>Total: %1</source>
        <translation>Gesamt: %1</translation>
    </message>
    <message>
        <source>Checked: %1</source>
        <translation>Ausgewählt: %1</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Group by</source>
        <translation>Gruppieren nach</translation>
    </message>
    <message>
        <source>Apply filter</source>
        <translation>Filter anwenden</translation>
    </message>
    <message>
        <source>Clear filter</source>
        <translation>Filter löschen</translation>
    </message>
</context>
<context>
    <name>selectframe::TTreeModel</name>
    <message>
        <source>partially checked</source>
        <translation>teilweise ausgewählt</translation>
    </message>
</context>
<context>
    <name>selectframe::TdlgSimple3</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
</context>
<context>
    <name>selectframe::TfmOrganizeFavorites</name>
    <message>
        <source>Favorites list</source>
        <translation>Favoritenliste</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Show checked only</source>
        <translation>Nur ausgewählte anzeigen</translation>
    </message>
</context>
<context>
    <name>selectframe::res</name>
    <message>
        <source>At least one column should be present</source>
        <translation>Es muss mindestens eine Spalte vorhanden sein</translation>
    </message>
    <message>
        <source>Frame is already initialized</source>
        <translation>Der Rahmen ist bereits initialisiert</translation>
    </message>
    <message>
        <source>A write hook must not write to the options it guards</source>
        <translation>Ein Schreib-Hook darf nicht in die Optionen schreiben, die er überwacht</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Weitere...</translation>
    </message>
    <message>
        <source>Favorites Manager</source>
        <translation>Favoriten verwalten</translation>
    </message>
    <message>
        <source>Organize search engine categories</source>
        <translation>Suchmaschinen-Kategorien organisieren</translation>
    </message>
    <message>
        <source>Add, delete, rename favorites categories</source>
        <translation>Favoriten-Kategorien hinzufügen, löschen, umbenennen</translation>
    </message>
    <message>
        <source>Add new favorite</source>
        <translation>Neuen Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>New category name:</source>
        <translation>Name der neuen Kategorie:</translation>
    </message>
    <message>
        <source>Rename favorite</source>
        <translation>Favoriten umbenennen</translation>
    </message>
    <message>
        <source>Do you really want to delete &apos;%1&apos;?</source>
        <translation>Möchten Sie „%1“ wirklich löschen?</translation>
    </message>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source> checked in &apos;%s&apos; - %d.</source>
        <translation> ausgewählt in „%s“ – %d.</translation>
    </message>
    <message>
        <source>Search Engines</source>
        <translation>Suchmaschinen</translation>
    </message>
</context>
</TS>
