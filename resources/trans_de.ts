<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Sorting</name>
    <message>
        <source>Quillor TARVIK Calibration Updater</source>
        <translation>Quillor TARVIK Kalibrierungs-Updater</translation>
    </message>
    <message>
        <source>No Quillor TARVIK found.</source>
        <translation>Kein Quillor TARVIK gefunden.</translation>
    </message>
    <message>
        <source>Calibrations:</source>
        <translation>Kalibrierungen:</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation>&amp;Aktualisieren</translation>
    </message>
    <message numerus="yes">
        <source>%n available calibrations</source>
        <translation>
            <numerusform>%n verfügbare Kalibrierung</numerusform>
            <numerusform>%n verfügbare Kalibrierungen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 calibrations in TARVIK, %n too many: remove %n before updating</source>
        <translation>
            <numerusform>%1 Kalibrierungen im TARVIK, %n zu viel: entfernen Sie %n vor dem Aktualisieren</numerusform>
            <numerusform>%1 Kalibrierungen im TARVIK, %n zu viele: entfernen Sie %n vor dem Aktualisieren</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n calibrations in TARVIK, %1 free</source>
        <translation>
            <numerusform>%n Kalibrierung im TARVIK, %1 frei</numerusform>
            <numerusform>%n Kalibrierungen im TARVIK, %1 frei</numerusform>
        </translation>
    </message>
    <message>
        <source>Available calibrations</source>
        <translation>Verfügbare Kalibrierungen</translation>
    </message>
    <message>
        <source>Calibrations in TARVIK</source>
        <translation>Kalibrierungen im TARVIK</translation>
    </message>
    <message>
        <source>Add to TARVIK</source>
        <translation>Zum TARVIK hinzufügen</translation>
    </message>
    <message>
        <source>Remove from TARVIK</source>
        <translation>Aus dem TARVIK entfernen</translation>
    </message>
    <message>
        <source>Update TARVIK</source>
        <translation>TARVIK aktualisieren</translation>
    </message>
    <message>
        <source>Discard the arranged calibrations and quit?</source>
        <translation>Die zusammengestellten Kalibrierungen verwerfen und beenden?</translation>
    </message>
</context>
<context>
    <name>dialog</name>
    <message>
        <source>Quillor TARVIK Calibration Updater</source>
        <translation>Quillor TARVIK Kalibrierungs-Updater</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>No Quillor TARVIK found.</source>
        <translation>Kein Quillor TARVIK gefunden.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>About TARVIK Calibration Updater</source>
        <translation>Über TARVIK Calibration Updater</translation>
    </message>
    <message>
        <source>TARVIK Calibration Updater build XXX.</source>
        <translation>TARVIK Calibration Updater Build XXX.</translation>
    </message>
    <message>
        <source>Using Base Calibration #</source>
        <translation>Verwendet Basiskalibrierung #</translation>
    </message>
    <message>
        <source>Network error</source>
        <translation>Netzwerkfehler</translation>
    </message>
    <message>
        <source>Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally</source>
        <translation>Die Korrekturmatrizen konnten nicht aus dem Internet geladen werden. Bitte wählen Sie eine lokale Datei Calibrations.txt aus.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Error while connecting to Quillor TARVIK.</source>
        <translation>Fehler beim Verbinden mit dem Quillor TARVIK.</translation>
    </message>
    <message>
        <source>Found Quillor TARVIK:</source>
        <translation>Quillor TARVIK gefunden:</translation>
    </message>
    <message>
        <source>Communication error with Quillor TARVIK.</source>
        <translation>Kommunikationsfehler mit dem Quillor TARVIK.</translation>
    </message>
    <message>
        <source>Serial: %1</source>
        <translation>Seriennummer: %1</translation>
    </message>
    <message>
        <source>Found Quillor TARVIK: %1</source>
        <translation>Quillor TARVIK gefunden: %1</translation>
    </message>
    <message>
        <source>Updating TARVIK...</source>
        <translation>TARVIK wird aktualisiert...</translation>
    </message>
    <message>
        <source>Backup failed: nothing was written.</source>
        <translation>Sicherung fehlgeschlagen: nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>Could not save the instrument&apos;s calibrations to %1.</source>
        <translation>Die Kalibrierungen des Geräts konnten nicht unter %1 gesichert werden.</translation>
    </message>
    <message>
        <source>Updating calibration %1.</source>
        <translation>Kalibrierung %1 wird aktualisiert.</translation>
    </message>
    <message>
        <source>Loading calibrations Ok.</source>
        <translation>Kalibrierungen erfolgreich geladen.</translation>
    </message>
    <message>
        <source>Your Quillor TARVIK is up to date.</source>
        <translation>Ihr Quillor TARVIK ist auf dem neuesten Stand.</translation>
    </message>
    <message>
        <source>Backup saved to %1</source>
        <translation>Sicherung gespeichert unter %1</translation>
    </message>
    <message>
        <source>Loading calibrations failed</source>
        <translation>Laden der Kalibrierungen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Please restart the application!</source>
        <translation>Bitte starten Sie die Anwendung neu!</translation>
    </message>
    <message>
        <source>Fetching calibration file %1 of %2…</source>
        <translation>Lade Kalibrierungsdatei %1 von %2…</translation>
    </message>
    <message>
        <source>Cannot read file</source>
        <translation>Datei nicht lesbar</translation>
    </message>
    <message>
        <source>%1 cannot be used as the calibration catalogue. Please select another file.</source>
        <translation>%1 kann nicht als Kalibrierungskatalog verwendet werden. Bitte wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <source>Could not store the calibration catalogue.</source>
        <translation>Der Kalibrierungskatalog konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Nothing was written to the TARVIK.</source>
        <translation>Es wurde nichts in den TARVIK geschrieben.</translation>
    </message>
    <message>
        <source>Reading calibration %1 of %2…</source>
        <translation>Lese Kalibrierung %1 von %2…</translation>
    </message>
    <message>
        <source>Updating the ambient calibration.</source>
        <translation>Die Umgebungskalibrierung wird aktualisiert.</translation>
    </message>
    <message>
        <source>The TARVIK will be written as follows:</source>
        <translation>Der TARVIK wird so beschrieben:</translation>
    </message>
    <message>
        <source>Changes to the TARVIK</source>
        <translation>Änderungen am TARVIK</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Kalibrierung</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Ambient calibration</source>
        <translation>Umgebungskalibrierung</translation>
    </message>
    <message>
        <source>No ambient calibration: the slot is emptied</source>
        <translation>Keine Umgebungskalibrierung: der Platz wird geleert</translation>
    </message>
    <message>
        <source>Kept as it is</source>
        <translation>Bleibt unverändert</translation>
    </message>
    <message>
        <source>Added from the catalogue</source>
        <translation>Aus dem Katalog hinzugefügt</translation>
    </message>
    <message>
        <source>Replaced by the catalogue&apos;s numbers: %1</source>
        <translation>Durch die Werte des Katalogs ersetzt: %1</translation>
    </message>
    <message>
        <source>intensity %1 → %2</source>
        <translation>Intensität %1 → %2</translation>
    </message>
    <message>
        <source>matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>base #%1 → #%2</source>
        <translation>Basis #%1 → #%2</translation>
    </message>
    <message>
        <source>Removed from the TARVIK</source>
        <translation>Aus dem TARVIK entfernt</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Schreiben</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Write to the TARVIK</source>
        <translation>In den TARVIK schreiben</translation>
    </message>
    <message>
        <source>Back to the arrangement</source>
        <translation>Zurück zur Zusammenstellung</translation>
    </message>
</context>
</TS>
