<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Sorting</name>
    <message>
        <source>Quillor TARVIK Calibration Updater</source>
        <translation>Quillor TARVIK Calibration Updater</translation>
    </message>
    <message>
        <source>No Quillor TARVIK found.</source>
        <translation>No Quillor TARVIK found.</translation>
    </message>
    <message>
        <source>Calibrations:</source>
        <translation>Calibrations:</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>%1 available calibrations</source>
        <translation>%1 available calibrations</translation>
    </message>
    <message>
        <source>%1 calibrations in TARVIK, %2 too many: remove %2 before updating</source>
        <translation>%1 calibrations in TARVIK, %2 too many: remove %2 before updating</translation>
    </message>
    <message>
        <source>%1 calibrations in TARVIK, %2 free</source>
        <translation>%1 calibrations in TARVIK, %2 free</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Restore…</translation>
    </message>
</context>
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
    <message>
        <source>Network error</source>
        <translation>Network error</translation>
    </message>
    <message>
        <source>Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally</source>
        <translation>Unable to download correction matrizes from the Internet, please select a Calibrations.txt file locally</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Error while connecting to Quillor TARVIK.</source>
        <translation>Error while connecting to Quillor TARVIK.</translation>
    </message>
    <message>
        <source>Found Quillor TARVIK:</source>
        <translation>Found Quillor TARVIK:</translation>
    </message>
    <message>
        <source>Communication error with Quillor TARVIK.</source>
        <translation>Communication error with Quillor TARVIK.</translation>
    </message>
    <message>
        <source>Serial: %1</source>
        <translation>Serial: %1</translation>
    </message>
    <message>
        <source>Found Quillor TARVIK: %1</source>
        <translation>Found Quillor TARVIK: %1</translation>
    </message>
    <message>
        <source>Updating TARVIK...</source>
        <translation>Updating TARVIK...</translation>
    </message>
    <message>
        <source>Backup failed: nothing was written.</source>
        <translation>Backup failed: nothing was written.</translation>
    </message>
    <message>
        <source>Updating calibration %1.</source>
        <translation>Updating calibration %1.</translation>
    </message>
    <message>
        <source>Loading calibrations Ok.</source>
        <translation>Loading calibrations Ok.</translation>
    </message>
    <message>
        <source>Your Quillor TARVIK is up to date.</source>
        <translation>Your Quillor TARVIK is up to date.</translation>
    </message>
    <message>
        <source>Backup saved to %1</source>
        <translation>Backup saved to %1</translation>
    </message>
    <message>
        <source>Loading calibrations failed</source>
        <translation>Loading calibrations failed</translation>
    </message>
    <message>
        <source>Please restart the application!</source>
        <translation>Please restart the application!</translation>
    </message>
    <message>
        <source>Fetching calibration file %1 of %2…</source>
        <translation>Fetching calibration file %1 of %2…</translation>
    </message>
    <message>
        <source>Cannot read file</source>
        <translation>Cannot read file</translation>
    </message>
    <message>
        <source>%1 cannot be used as the calibration catalogue. Please select another file.</source>
        <translation>%1 cannot be used as the calibration catalogue. Please select another file.</translation>
    </message>
    <message>
        <source>Could not store the calibration catalogue.</source>
        <translation>Could not store the calibration catalogue.</translation>
    </message>
    <message>
        <source>Nothing was written to the TARVIK.</source>
        <translation>Nothing was written to the TARVIK.</translation>
    </message>
    <message>
        <source>The TARVIK is in use by another TARVIK Calibration Updater.</source>
        <translation>The TARVIK is in use by another TARVIK Calibration Updater.</translation>
    </message>
    <message>
        <source>Could not save the instrument&apos;s calibrations to %1 (%2).</source>
        <translation>Could not save the instrument&apos;s calibrations to %1 (%2).</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>the folder cannot be made</translation>
    </message>
    <message>
        <source>what was read back differs from what was written</source>
        <translation>what was read back differs from what was written</translation>
    </message>
    <message>
        <source>The calibrations from before are in the backup %1.</source>
        <translation>The calibrations from before are in the backup %1.</translation>
    </message>
    <message>
        <source>The last update of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.</source>
        <translation>The last update of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.</translation>
    </message>
    <message>
        <source>%1 cannot be restored: %2</source>
        <translation>%1 cannot be restored: %2</translation>
    </message>
    <message>
        <source>Restore calibrations</source>
        <translation>Restore calibrations</translation>
    </message>
    <message>
        <source>Every calibration of the TARVIK %1 in slots 9 to 37 will be replaced by the backup of %2: %3. What the TARVIK holds now is backed up first.</source>
        <translation>Every calibration of the TARVIK %1 in slots 9 to 37 will be replaced by the backup of %2: %3. What the TARVIK holds now is backed up first.</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Restore…</translation>
    </message>
    <message>
        <source>The TARVIK attached now is %1, not %2: nothing was written.</source>
        <translation>The TARVIK attached now is %1, not %2: nothing was written.</translation>
    </message>
    <message>
        <source>This backup is of the TARVIK %1, not of this TARVIK %2: nothing was written.</source>
        <translation>This backup is of the TARVIK %1, not of this TARVIK %2: nothing was written.</translation>
    </message>
    <message>
        <source>This backup holds no calibrations: nothing was written.</source>
        <translation>This backup holds no calibrations: nothing was written.</translation>
    </message>
    <message>
        <source>No backup of the TARVIK %1 was found in %2.</source>
        <translation>No backup of the TARVIK %1 was found in %2.</translation>
    </message>
    <message>
        <source>Backups of the TARVIK %1, newest first:</source>
        <translation>Backups of the TARVIK %1, newest first:</translation>
    </message>
    <message>
        <source>(no calibrations)</source>
        <translation>(no calibrations)</translation>
    </message>
</context>
</TS>
