<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
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
</context>
</TS>
