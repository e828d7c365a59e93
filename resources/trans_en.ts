<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>dialog</name>
    <message>
        <source>Quillor TARVIK Calibration Updater</source>
        <translation>Quillor TARVIK Calibration Updater</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>No Quillor TARVIK found.</source>
        <translation>No Quillor TARVIK found.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>About TARVIK Calibration Updater</source>
        <translation>About TARVIK Calibration Updater</translation>
    </message>
    <message>
        <source>TARVIK Calibration Updater build XXX.</source>
        <translation>TARVIK Calibration Updater build XXX.</translation>
    </message>
    <message>
        <source>Using Base Calibration #</source>
        <translation>Using Base Calibration #</translation>
    </message>
</context>
</TS>
