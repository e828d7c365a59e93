<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Sorting</name>
    <message>
        <source>Restore a backup of this TARVIK</source>
        <translation>Eine Sicherung dieses TARVIK wiederherstellen</translation>
    </message>
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
    <message>
        <source>Restore…</source>
        <translation>Wiederherstellen…</translation>
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
    <message>
        <source>History…</source>
        <translation>Verlauf…</translation>
    </message>
    <message>
        <source>Show the history of runs</source>
        <translation>Den Verlauf der Läufe zeigen</translation>
    </message>
    <message>
        <source>Catalogue signature</source>
        <translation>Signatur des Katalogs</translation>
    </message>
    <message>
        <source>Catalogue not signed</source>
        <translation>Katalog nicht signiert</translation>
    </message>
    <message>
        <source>Catalogue signed with key %1</source>
        <translation>Katalog signiert mit dem Schlüssel %1</translation>
    </message>
</context>
<context>
    <name>dialog</name>
    <message>
        <source>the last block is cut short</source>
        <translation>der letzte Block ist abgeschnitten</translation>
    </message>
    <message>
        <source>more blocks than slots 9 to 37</source>
        <translation>mehr Blöcke als Plätze 9 bis 37</translation>
    </message>
    <message>
        <source>slot line &quot;%1&quot; is not a slot 9 to 37 in order with 64 bytes</source>
        <translation>die Platzzeile „%1“ ist kein Platz 9 bis 37 in Reihenfolge mit 64 Bytes</translation>
    </message>
    <message>
        <source>unexpected line &quot;%1&quot;</source>
        <translation>unerwartete Zeile „%1“</translation>
    </message>
    <message>
        <source>not a whole calibration backup</source>
        <translation>keine vollständige Kalibrierungssicherung</translation>
    </message>
    <message>
        <source>slot %1 is listed twice</source>
        <translation>Platz %1 ist doppelt aufgeführt</translation>
    </message>
    <message>
        <source>slot %1 does not hold 128 hexadecimal digits</source>
        <translation>Platz %1 enthält nicht 128 Hexadezimalziffern</translation>
    </message>
    <message>
        <source>cut short before the end line</source>
        <translation>vor der Endzeile abgeschnitten</translation>
    </message>
    <message>
        <source>the checksum line is missing</source>
        <translation>die Prüfsummenzeile fehlt</translation>
    </message>
    <message>
        <source>the checksum does not match: changed after it was written</source>
        <translation>die Prüfsumme stimmt nicht: nach dem Schreiben verändert</translation>
    </message>
    <message>
        <source>no regular file: not read</source>
        <translation>keine reguläre Datei: nicht gelesen</translation>
    </message>
    <message>
        <source>larger than %1: not read</source>
        <translation>größer als %1: nicht gelesen</translation>
    </message>
    <message>
        <source>The backup of the TARVIK&apos;s calibrations could not be saved to %1 (%2). Free some space there or make the folder writable, then try again.</source>
        <translation>Die Sicherung der Kalibrierungen des TARVIK konnte nicht in %1 gespeichert werden (%2). Schaffen Sie dort Platz oder machen Sie den Ordner beschreibbar und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>the serial number or the time is missing</source>
        <translation>die Seriennummer oder die Zeit fehlt</translation>
    </message>
    <message>
        <source>The block backup is damaged: %1.</source>
        <translation>Die Blocksicherung ist beschädigt: %1.</translation>
    </message>
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
        <source>TARVIK Calibration Updater %1.

Free software under the MIT licence: you may use, copy, change and pass it on, keeping its copyright notice; it comes without any warranty.</source>
        <translation>TARVIK Calibration Updater %1.

Freie Software unter der MIT-Lizenz: Sie dürfen sie benutzen, kopieren, ändern und weitergeben, wenn ihr Urheberrechtsvermerk dabei bleibt; sie kommt ohne jede Gewährleistung.</translation>
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
        <source>The TARVIK is in use by another TARVIK Calibration Updater.</source>
        <translation>Der TARVIK wird von einem anderen TARVIK Kalibrierungs-Updater benutzt.</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>what was read back differs from what was written</source>
        <translation>das Zurückgelesene weicht vom Geschriebenen ab</translation>
    </message>
    <message>
        <source>The calibrations from before are in the backup %1.</source>
        <translation>Die Kalibrierungen von vorher liegen in der Sicherung %1.</translation>
    </message>
    <message>
        <source>The last update of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.</source>
        <translation>Die letzte Aktualisierung dieses TARVIK wurde nicht beendet (%1). Seine Kalibrierungen von vorher liegen in der Sicherung vom %2.</translation>
    </message>
    <message>
        <source>%1 cannot be restored: %2</source>
        <translation>%1 kann nicht wiederhergestellt werden: %2</translation>
    </message>
    <message>
        <source>Restore calibrations</source>
        <translation>Kalibrierungen wiederherstellen</translation>
    </message>
    <message>
        <source>Every calibration of the TARVIK %1 in slots 9 to 37 will be replaced by the backup of %2: %3. What the TARVIK holds now is backed up first.</source>
        <translation>Alle Kalibrierungen des TARVIK %1 in den Plätzen 9 bis 37 werden durch die Sicherung vom %2 ersetzt: %3. Was der TARVIK jetzt enthält, wird vorher gesichert.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
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
        <source>Restore…</source>
        <translation>Wiederherstellen…</translation>
    </message>
    <message>
        <source>The TARVIK attached now is %1, not %2: nothing was written.</source>
        <translation>Angeschlossen ist jetzt der TARVIK %1, nicht %2: nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>This backup is of the TARVIK %1, not of this TARVIK %2: nothing was written.</source>
        <translation>Diese Sicherung stammt vom TARVIK %1, nicht von diesem TARVIK %2: nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>This backup holds no calibrations: nothing was written.</source>
        <translation>Diese Sicherung enthält keine Kalibrierungen: nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>No backup of the TARVIK %1 was found in %2.</source>
        <translation>In %2 wurde keine Sicherung des TARVIK %1 gefunden.</translation>
    </message>
    <message>
        <source>Backups of the TARVIK %1, newest first:</source>
        <translation>Sicherungen des TARVIK %1, die neueste zuerst:</translation>
    </message>
    <message>
        <source>Backups of this TARVIK</source>
        <translation>Sicherungen dieses TARVIK</translation>
    </message>
    <message>
        <source>(no calibrations)</source>
        <translation>(keine Kalibrierungen)</translation>
    </message>
    <message>
        <source>damaged, cannot be restored</source>
        <translation>beschädigt, kann nicht wiederhergestellt werden</translation>
    </message>
    <message>
        <source>cannot be checked: written by an earlier version</source>
        <translation>nicht prüfbar: von einer früheren Version geschrieben</translation>
    </message>
    <message>
        <source>This backup cannot be restored: %1. Choose another one.</source>
        <translation>Diese Sicherung kann nicht wiederhergestellt werden: %1. Wählen Sie eine andere.</translation>
    </message>
    <message>
        <source>Restoring slot %1.</source>
        <translation>Platz %1 wird wiederhergestellt.</translation>
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
        <source>Moved from slot %1</source>
        <translation>Von Platz %1 verschoben</translation>
    </message>
    <message>
        <source>Moved from slot %1 and replaced by the catalogue&apos;s numbers: %2</source>
        <translation>Von Platz %1 verschoben und durch die Werte des Katalogs ersetzt: %2</translation>
    </message>
    <message>
        <source>intensity %1, matrix %2, base #%3</source>
        <translation>Intensität %1, Matrix %2, Basis #%3</translation>
    </message>
    <message>
        <source>%1 before: %2
%1 after: %3</source>
        <translation>%1 vorher: %2
%1 nachher: %3</translation>
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
    <message>
        <source>Empty</source>
        <translation>Leer</translation>
    </message>
    <message>
        <source>Recording the run failed: nothing was written.</source>
        <translation>Aufzeichnung des Laufs fehlgeschlagen: nichts wurde geschrieben.</translation>
    </message>
    <message>
        <source>The run could not be recorded in the history %1 (%2). The backup was saved to %3. Free some space there or make the folder writable, then try again.</source>
        <translation>Der Lauf konnte nicht im Verlauf %1 aufgezeichnet werden (%2). Die Sicherung wurde unter %3 gespeichert. Schaffen Sie dort Platz oder machen Sie den Ordner beschreibbar, und versuchen Sie es dann erneut.</translation>
    </message>
    <message>
        <source>How this run ended could not be recorded in the history %1 (%2).</source>
        <translation>Wie dieser Lauf endete, konnte nicht im Verlauf %1 aufgezeichnet werden (%2).</translation>
    </message>
    <message>
        <source>The last restore of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.</source>
        <translation>Die letzte Wiederherstellung dieses TARVIK wurde nicht beendet (%1). Seine Kalibrierungen von vorher liegen in der Sicherung vom %2.</translation>
    </message>
    <message>
        <source>The last update of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.</source>
        <translation>Die letzte Aktualisierung dieses TARVIK wurde nicht beendet (%1). Die Sicherung seiner Kalibrierungen von vorher, %2 vom %3, ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>The last restore of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.</source>
        <translation>Die letzte Wiederherstellung dieses TARVIK wurde nicht beendet (%1). Die Sicherung seiner Kalibrierungen von vorher, %2 vom %3, ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>Wiederhergestellt</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>Verlauf…</translation>
    </message>
    <message>
        <source>Show the history of runs</source>
        <translation>Den Verlauf der Läufe zeigen</translation>
    </message>
    <message>
        <source>none found</source>
        <translation>keine gefunden</translation>
    </message>
    <message>
        <source>the signed catalogue is not a catalogue manifest</source>
        <translation>der signierte Katalog ist kein Katalogverzeichnis</translation>
    </message>
    <message>
        <source>the signed catalogue is in a format this program does not know (%1)</source>
        <translation>der signierte Katalog hat ein Format, das dieses Programm nicht kennt (%1)</translation>
    </message>
    <message>
        <source>the signed catalogue cannot be read at line %1</source>
        <translation>der signierte Katalog ist in Zeile %1 nicht lesbar</translation>
    </message>
    <message>
        <source>the signed catalogue names %1 twice</source>
        <translation>der signierte Katalog nennt %1 zweimal</translation>
    </message>
    <message>
        <source>this catalogue is older than one already used (version %1, %2 used before)</source>
        <translation>dieser Katalog ist älter als ein bereits verwendeter (Version %1, zuvor %2 verwendet)</translation>
    </message>
    <message>
        <source>the catalogue expired on %1</source>
        <translation>der Katalog ist am %1 abgelaufen</translation>
    </message>
    <message>
        <source>the listing names %1 twice</source>
        <translation>die Liste nennt %1 zweimal</translation>
    </message>
    <message>
        <source>the listing names %1, which the signed catalogue does not</source>
        <translation>die Liste nennt %1, das der signierte Katalog nicht nennt</translation>
    </message>
    <message>
        <source>the listing does not name %1 of the signed catalogue</source>
        <translation>die Liste nennt %1 aus dem signierten Katalog nicht</translation>
    </message>
    <message>
        <source>%1 differs from the signed catalogue</source>
        <translation>%1 weicht vom signierten Katalog ab</translation>
    </message>
    <message>
        <source>the catalogue key %1 the program was given cannot be read</source>
        <translation>der dem Programm mitgegebene Katalogschlüssel %1 ist nicht lesbar</translation>
    </message>
    <message>
        <source>the catalogue's signature cannot be read</source>
        <translation>die Signatur des Katalogs ist nicht lesbar</translation>
    </message>
    <message>
        <source>the catalogue is signed with key %1, which this program does not trust</source>
        <translation>der Katalog ist mit dem Schlüssel %1 signiert, dem dieses Programm nicht vertraut</translation>
    </message>
    <message>
        <source>the catalogue's signature cannot be checked</source>
        <translation>die Signatur des Katalogs kann nicht geprüft werden</translation>
    </message>
    <message>
        <source>the catalogue's signature does not match</source>
        <translation>die Signatur des Katalogs stimmt nicht</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The signed catalogue: %1</source>
        <translation>Der signierte Katalog: %1</translation>
    </message>
    <message>
        <source>it came incomplete: it ends before the end of a directory listing</source>
        <translation>sie kam unvollständig an: sie endet vor dem Ende einer Verzeichnisliste</translation>
    </message>
    <message>
        <source>the file is longer than the %1 bytes expected</source>
        <translation>die Datei ist länger als die erwarteten %1 Bytes</translation>
    </message>
    <message>
        <source>the signed catalogue is larger than %1 MiB</source>
        <translation>der signierte Katalog ist größer als %1 MiB</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>The history %1 was written by a newer version of this program. It is shown, never changed; nothing can be written to the TARVIK until that version is used.</source>
        <translation>Der Verlauf %1 wurde von einer neueren Version dieses Programms geschrieben. Er wird nur gezeigt, nie verändert; auf den TARVIK kann nichts geschrieben werden, bis jene Version verwendet wird.</translation>
    </message>
    <message>
        <source>the damaged file cannot be renamed</source>
        <translation>die beschädigte Datei kann nicht umbenannt werden</translation>
    </message>
    <message>
        <source>The history %1 was damaged. It is kept as %2, and a new history was started.</source>
        <translation>Der Verlauf %1 war beschädigt. Er wird als %2 aufbewahrt, und ein neuer Verlauf wurde begonnen.</translation>
    </message>
    <message>
        <source>it was written by a newer version of this program</source>
        <translation>er wurde von einer neueren Version dieses Programms geschrieben</translation>
    </message>
</context>
<context>
    <name>HistoryRun</name>
    <message>
        <source>Update</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellung</translation>
    </message>
    <message>
        <source>Backup taken</source>
        <translation>Sicherung angelegt</translation>
    </message>
    <message>
        <source>Not finished</source>
        <translation>Nicht beendet</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Failed at slot %1: it read back otherwise than written</source>
        <translation>Fehlgeschlagen bei Platz %1: er las sich anders zurück als geschrieben</translation>
    </message>
    <message>
        <source>Failed at slot %1 with code %2</source>
        <translation>Fehlgeschlagen bei Platz %1 mit Code %2</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Taken before the restore of %1: %2</source>
        <translation>Angelegt vor der Wiederherstellung vom %1: %2</translation>
    </message>
    <message>
        <source>Taken before the update of %1: %2</source>
        <translation>Angelegt vor der Aktualisierung vom %1: %2</translation>
    </message>
</context>
<context>
    <name>HistoryReport</name>
    <message>
        <source>Record of a restore of the TARVIK %1</source>
        <translation>Protokoll einer Wiederherstellung des TARVIK %1</translation>
    </message>
    <message>
        <source>Record of a backup of the TARVIK %1</source>
        <translation>Protokoll einer Sicherung des TARVIK %1</translation>
    </message>
    <message>
        <source>Record of an update of the TARVIK %1</source>
        <translation>Protokoll einer Aktualisierung des TARVIK %1</translation>
    </message>
    <message>
        <source>Record of a run of the TARVIK %1</source>
        <translation>Protokoll eines Laufs des TARVIK %1</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>Familie</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>User and host</source>
        <translation>Benutzer und Rechner</translation>
    </message>
    <message>
        <source>Program version</source>
        <translation>Programmversion</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>SHA-256 of the source</source>
        <translation>SHA-256 der Quelle</translation>
    </message>
    <message>
        <source>Backup taken before</source>
        <translation>Vorher angelegte Sicherung</translation>
    </message>
    <message>
        <source>SHA-256 of the backup</source>
        <translation>SHA-256 der Sicherung</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Slots before and after</source>
        <translation>Plätze vorher und nachher</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>Intensität</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Basis</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>TARVIK</source>
        <translation>TARVIK</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Show &amp;every TARVIK</source>
        <translation>&amp;Jeden TARVIK zeigen</translation>
    </message>
    <message>
        <source>Show the runs of every TARVIK</source>
        <translation>Die Läufe jedes TARVIK zeigen</translation>
    </message>
    <message>
        <source>Runs, newest first</source>
        <translation>Läufe, neueste zuerst</translation>
    </message>
    <message>
        <source>Slots before and after the chosen run</source>
        <translation>Plätze vor und nach dem gewählten Lauf</translation>
    </message>
    <message>
        <source>&amp;Restore the state before this run…</source>
        <translation>Den Stand vor diesem Lauf &amp;wiederherstellen…</translation>
    </message>
    <message>
        <source>Restore the state before this run</source>
        <translation>Den Stand vor diesem Lauf wiederherstellen</translation>
    </message>
    <message>
        <source>Export &amp;CSV…</source>
        <translation>&amp;CSV exportieren…</translation>
    </message>
    <message>
        <source>Export the listed runs as CSV</source>
        <translation>Die aufgeführten Läufe als CSV exportieren</translation>
    </message>
    <message>
        <source>Export &amp;PDF…</source>
        <translation>&amp;PDF exportieren…</translation>
    </message>
    <message>
        <source>Export the record of this run as PDF</source>
        <translation>Das Protokoll dieses Laufs als PDF exportieren</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the history</source>
        <translation>Den Verlauf schließen</translation>
    </message>
    <message>
        <source>The runs of every TARVIK, newest first.</source>
        <translation>Die Läufe jedes TARVIK, neueste zuerst.</translation>
    </message>
    <message>
        <source>The runs of the TARVIK %1, newest first.</source>
        <translation>Die Läufe des TARVIK %1, neueste zuerst.</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>Der Verlauf kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>The backup %1 is gone.</source>
        <translation>Die Sicherung %1 ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>Export the history as CSV</source>
        <translation>Den Verlauf als CSV exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>The history could not be written to %1 (%2). Choose another folder.</source>
        <translation>Der Verlauf konnte nicht nach %1 geschrieben werden (%2). Wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>The record could not be written to %1 (%2). Choose another folder.</source>
        <translation>Das Protokoll konnte nicht nach %1 geschrieben werden (%2). Wählen Sie einen anderen Ordner.</translation>
    </message>
</context>
</TS>
