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
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>%1 available calibrations</source>
        <translation>%1 verfügbare Kalibrierungen</translation>
    </message>
    <message>
        <source>%1 calibrations in TARVIK, %2 too many: remove %2 before updating</source>
        <translation>%1 Kalibrierungen im TARVIK, %2 zu viele: entfernen Sie %2 vor dem Aktualisieren</translation>
    </message>
    <message>
        <source>%1 calibrations in TARVIK, %2 free</source>
        <translation>%1 Kalibrierungen im TARVIK, %2 frei</translation>
    </message>
    <message>
        <source>Numbers that are not finite: %1</source>
        <translation>Zahlen, die nicht endlich sind: %1</translation>
    </message>
    <message>
        <source>The same first 19 bytes as an earlier name: %1</source>
        <translation>Dieselben ersten 19 Bytes wie ein früherer Name: %1</translation>
    </message>
    <message>
        <source>%1 catalogue calibrations left out</source>
        <translation>%1 Katalog-Kalibrierungen ausgelassen</translation>
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
        <source>the listing is larger than %1 MiB</source>
        <translation>die Liste ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>the listing names a file longer than %1 bytes</source>
        <translation>die Liste nennt eine Datei, deren Name länger als %1 Bytes ist</translation>
    </message>
    <message>
        <source>the listing names more than %1 files</source>
        <translation>die Liste nennt mehr als %1 Dateien</translation>
    </message>
    <message>
        <source>the server closed the connection before the file was complete</source>
        <translation>der Server hat die Verbindung geschlossen, bevor die Datei vollständig war</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB</source>
        <translation>die Datei ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>HTTP %1</source>
        <translation>HTTP %1</translation>
    </message>
    <message>
        <source>no answer for %1 s</source>
        <translation>seit %1 s keine Antwort</translation>
    </message>
    <message>
        <source>the server refused the connection</source>
        <translation>der Server hat die Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation>der Server wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the server&apos;s certificate could not be verified</source>
        <translation>das Zertifikat des Servers konnte nicht geprüft werden</translation>
    </message>
    <message>
        <source>the reply&apos;s head is larger than %1 KiB or cannot be read</source>
        <translation>der Kopf der Antwort ist größer als %1 KiB oder nicht lesbar</translation>
    </message>
    <message>
        <source>the server announced different lengths for the file</source>
        <translation>der Server hat verschiedene Längen für die Datei angegeben</translation>
    </message>
    <message>
        <source>no complete answer within %1 s</source>
        <translation>keine vollständige Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>the server sent the file encoded as %1</source>
        <translation>der Server hat die Datei als %1 kodiert gesendet</translation>
    </message>
    <message>
        <source>the server did not say how long the file is</source>
        <translation>der Server hat nicht angegeben, wie lang die Datei ist</translation>
    </message>
    <message>
        <source>Fetching the calibration catalogue…</source>
        <translation>Lade den Kalibrierungskatalog…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Calibration catalogue</source>
        <translation>Kalibrierungskatalog</translation>
    </message>
    <message>
        <source>the fetch was cancelled</source>
        <translation>das Laden wurde abgebrochen</translation>
    </message>
    <message>
        <source>the whole catalogue took longer than %1 s</source>
        <translation>der ganze Katalog hat länger als %1 s gedauert</translation>
    </message>
    <message>
        <source>it names no calibration file</source>
        <translation>sie nennt keine Kalibrierungsdatei</translation>
    </message>
    <message>
        <source>The catalogue listing: %1</source>
        <translation>Die Katalogliste: %1</translation>
    </message>
    <message>
        <source>the catalogue is larger than %1 MiB</source>
        <translation>der Katalog ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>Calibration file %1: %2</source>
        <translation>Kalibrierungsdatei %1: %2</translation>
    </message>
    <message>
        <source>record %1 of %2</source>
        <translation>Eintrag %1 von %2</translation>
    </message>
    <message>
        <source>the record at byte %1</source>
        <translation>der Eintrag bei Byte %1</translation>
    </message>
    <message>
        <source>The calibration catalogue cannot be opened: %1</source>
        <translation>Der Kalibrierungskatalog kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>The calibration catalogue is larger than %1 MiB.</source>
        <translation>Der Kalibrierungskatalog ist größer als %1 MiB.</translation>
    </message>
    <message>
        <source>The calibration catalogue cannot be read: %1</source>
        <translation>Der Kalibrierungskatalog kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>The block backup is damaged: it ends inside a calibration, after %1 whole ones.</source>
        <translation>Die Blocksicherung ist beschädigt: sie endet mitten in einer Kalibrierung, nach %1 vollständigen.</translation>
    </message>
    <message>
        <source>The calibration catalogue cannot be read: %1 is malformed.</source>
        <translation>Der Kalibrierungskatalog kann nicht gelesen werden: %1 ist fehlerhaft.</translation>
    </message>
    <message>
        <source>The TARVIK failed to read slot %1 (code %2).</source>
        <translation>Der TARVIK konnte Platz %1 nicht lesen (Code %2).</translation>
    </message>
    <message>
        <source>No calibration catalogue was chosen.</source>
        <translation>Es wurde kein Kalibrierungskatalog gewählt.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Wiederholen</translation>
    </message>
</context>
</TS>
