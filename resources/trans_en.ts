<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Sorting</name>
    <message>
        <source>Restore a backup of this TARVIK</source>
        <translation>Restore a backup of this TARVIK</translation>
    </message>
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
        <source>&amp;Update</source>
        <translation>&amp;Update</translation>
    </message>
    <message numerus="yes">
        <source>%n available calibrations</source>
        <translation>
            <numerusform>%n available calibration</numerusform>
            <numerusform>%n available calibrations</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 calibrations in TARVIK, %n too many: remove %n before updating</source>
        <translation>
            <numerusform>%1 calibrations in TARVIK, %n too many: remove %n before updating</numerusform>
            <numerusform>%1 calibrations in TARVIK, %n too many: remove %n before updating</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n calibrations in TARVIK, %1 free</source>
        <translation>
            <numerusform>%n calibration in TARVIK, %1 free</numerusform>
            <numerusform>%n calibrations in TARVIK, %1 free</numerusform>
        </translation>
    </message>
    <message>
        <source>Available calibrations</source>
        <translation>Available calibrations</translation>
    </message>
    <message>
        <source>Calibrations in TARVIK</source>
        <translation>Calibrations in TARVIK</translation>
    </message>
    <message>
        <source>Add to TARVIK</source>
        <translation>Add to TARVIK</translation>
    </message>
    <message>
        <source>Remove from TARVIK</source>
        <translation>Remove from TARVIK</translation>
    </message>
    <message>
        <source>Update TARVIK</source>
        <translation>Update TARVIK</translation>
    </message>
    <message>
        <source>Discard the arranged calibrations and quit?</source>
        <translation>Discard the arranged calibrations and quit?</translation>
    </message>
    <message>
        <source>Restore…</source>
        <translation>Restore…</translation>
    </message>
    <message>
        <source>Numbers that are not finite: %1</source>
        <translation>Numbers that are not finite: %1</translation>
    </message>
    <message>
        <source>The same first 19 bytes as an earlier name: %1</source>
        <translation>The same first 19 bytes as an earlier name: %1</translation>
    </message>
    <message>
        <source>%1 catalogue calibrations left out</source>
        <translation>%1 catalogue calibrations left out</translation>
    </message>
</context>
<context>
    <name>dialog</name>
    <message>
        <source>the last block is cut short</source>
        <translation>the last block is cut short</translation>
    </message>
    <message>
        <source>more blocks than slots 9 to 37</source>
        <translation>more blocks than slots 9 to 37</translation>
    </message>
    <message>
        <source>slot line &quot;%1&quot; is not a slot 9 to 37 in order with 64 bytes</source>
        <translation>slot line &quot;%1&quot; is not a slot 9 to 37 in order with 64 bytes</translation>
    </message>
    <message>
        <source>unexpected line &quot;%1&quot;</source>
        <translation>unexpected line &quot;%1&quot;</translation>
    </message>
    <message>
        <source>not a whole calibration backup</source>
        <translation>not a whole calibration backup</translation>
    </message>
    <message>
        <source>the serial number or the time is missing</source>
        <translation>the serial number or the time is missing</translation>
    </message>
    <message>
        <source>The block backup is damaged: %1.</source>
        <translation>The block backup is damaged: %1.</translation>
    </message>
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
        <source>TARVIK Calibration Updater %1.

Free software under the MIT licence: you may use, copy, change and pass it on, keeping its copyright notice; it comes without any warranty.</source>
        <translation>TARVIK Calibration Updater %1.

Free software under the MIT licence: you may use, copy, change and pass it on, keeping its copyright notice; it comes without any warranty.</translation>
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
        <source>the listing is larger than %1 MiB</source>
        <translation>the listing is larger than %1 MiB</translation>
    </message>
    <message>
        <source>the listing names a file longer than %1 bytes</source>
        <translation>the listing names a file longer than %1 bytes</translation>
    </message>
    <message>
        <source>the listing names more than %1 files</source>
        <translation>the listing names more than %1 files</translation>
    </message>
    <message>
        <source>the server closed the connection before the file was complete</source>
        <translation>the server closed the connection before the file was complete</translation>
    </message>
    <message>
        <source>the file is larger than %1 MiB</source>
        <translation>the file is larger than %1 MiB</translation>
    </message>
    <message>
        <source>HTTP %1</source>
        <translation>HTTP %1</translation>
    </message>
    <message>
        <source>no answer for %1 s</source>
        <translation>no answer for %1 s</translation>
    </message>
    <message>
        <source>the server refused the connection</source>
        <translation>the server refused the connection</translation>
    </message>
    <message>
        <source>the server could not be found</source>
        <translation>the server could not be found</translation>
    </message>
    <message>
        <source>the server&apos;s certificate could not be verified</source>
        <translation>the server&apos;s certificate could not be verified</translation>
    </message>
    <message>
        <source>the reply&apos;s head is larger than %1 KiB or cannot be read</source>
        <translation>the reply&apos;s head is larger than %1 KiB or cannot be read</translation>
    </message>
    <message>
        <source>the server announced different lengths for the file</source>
        <translation>the server announced different lengths for the file</translation>
    </message>
    <message>
        <source>no complete answer within %1 s</source>
        <translation>no complete answer within %1 s</translation>
    </message>
    <message>
        <source>the server sent the file encoded as %1</source>
        <translation>the server sent the file encoded as %1</translation>
    </message>
    <message>
        <source>the server did not say how long the file is</source>
        <translation>the server did not say how long the file is</translation>
    </message>
    <message>
        <source>Fetching the calibration catalogue…</source>
        <translation>Fetching the calibration catalogue…</translation>
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
        <source>Backups of this TARVIK</source>
        <translation>Backups of this TARVIK</translation>
    </message>
    <message>
        <source>(no calibrations)</source>
        <translation>(no calibrations)</translation>
    </message>
    <message>
        <source>Restoring slot %1.</source>
        <translation>Restoring slot %1.</translation>
    </message>
    <message>
        <source>Reading calibration %1 of %2…</source>
        <translation>Reading calibration %1 of %2…</translation>
    </message>
    <message>
        <source>Updating the ambient calibration.</source>
        <translation>Updating the ambient calibration.</translation>
    </message>
    <message>
        <source>The TARVIK will be written as follows:</source>
        <translation>The TARVIK will be written as follows:</translation>
    </message>
    <message>
        <source>Changes to the TARVIK</source>
        <translation>Changes to the TARVIK</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>Calibration</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Ambient calibration</source>
        <translation>Ambient calibration</translation>
    </message>
    <message>
        <source>No ambient calibration: the slot is emptied</source>
        <translation>No ambient calibration: the slot is emptied</translation>
    </message>
    <message>
        <source>Kept as it is</source>
        <translation>Kept as it is</translation>
    </message>
    <message>
        <source>Added from the catalogue</source>
        <translation>Added from the catalogue</translation>
    </message>
    <message>
        <source>Replaced by the catalogue&apos;s numbers: %1</source>
        <translation>Replaced by the catalogue&apos;s numbers: %1</translation>
    </message>
    <message>
        <source>intensity %1 → %2</source>
        <translation>intensity %1 → %2</translation>
    </message>
    <message>
        <source>matrix</source>
        <translation>matrix</translation>
    </message>
    <message>
        <source>base #%1 → #%2</source>
        <translation>base #%1 → #%2</translation>
    </message>
    <message>
        <source>Moved from slot %1</source>
        <translation>Moved from slot %1</translation>
    </message>
    <message>
        <source>Moved from slot %1 and replaced by the catalogue&apos;s numbers: %2</source>
        <translation>Moved from slot %1 and replaced by the catalogue&apos;s numbers: %2</translation>
    </message>
    <message>
        <source>intensity %1, matrix %2, base #%3</source>
        <translation>intensity %1, matrix %2, base #%3</translation>
    </message>
    <message>
        <source>%1 before: %2
%1 after: %3</source>
        <translation>%1 before: %2
%1 after: %3</translation>
    </message>
    <message>
        <source>Removed from the TARVIK</source>
        <translation>Removed from the TARVIK</translation>
    </message>
    <message>
        <source>&amp;Write</source>
        <translation>&amp;Write</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Back</translation>
    </message>
    <message>
        <source>Write to the TARVIK</source>
        <translation>Write to the TARVIK</translation>
    </message>
    <message>
        <source>Back to the arrangement</source>
        <translation>Back to the arrangement</translation>
    </message>
    <message>
        <source>Calibration catalogue</source>
        <translation>Calibration catalogue</translation>
    </message>
    <message>
        <source>the fetch was cancelled</source>
        <translation>the fetch was cancelled</translation>
    </message>
    <message>
        <source>the whole catalogue took longer than %1 s</source>
        <translation>the whole catalogue took longer than %1 s</translation>
    </message>
    <message>
        <source>it names no calibration file</source>
        <translation>it names no calibration file</translation>
    </message>
    <message>
        <source>The catalogue listing: %1</source>
        <translation>The catalogue listing: %1</translation>
    </message>
    <message>
        <source>the catalogue is larger than %1 MiB</source>
        <translation>the catalogue is larger than %1 MiB</translation>
    </message>
    <message>
        <source>Calibration file %1: %2</source>
        <translation>Calibration file %1: %2</translation>
    </message>
    <message>
        <source>record %1 of %2</source>
        <translation>record %1 of %2</translation>
    </message>
    <message>
        <source>the record at byte %1</source>
        <translation>the record at byte %1</translation>
    </message>
    <message>
        <source>The calibration catalogue cannot be opened: %1</source>
        <translation>The calibration catalogue cannot be opened: %1</translation>
    </message>
    <message>
        <source>The calibration catalogue is larger than %1 MiB.</source>
        <translation>The calibration catalogue is larger than %1 MiB.</translation>
    </message>
    <message>
        <source>The calibration catalogue cannot be read: %1</source>
        <translation>The calibration catalogue cannot be read: %1</translation>
    </message>
    <message>
        <source>The calibration catalogue cannot be read: %1 is malformed.</source>
        <translation>The calibration catalogue cannot be read: %1 is malformed.</translation>
    </message>
    <message>
        <source>The TARVIK failed to read slot %1 (code %2).</source>
        <translation>The TARVIK failed to read slot %1 (code %2).</translation>
    </message>
    <message>
        <source>No calibration catalogue was chosen.</source>
        <translation>No calibration catalogue was chosen.</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Retry</translation>
    </message>
</context>
</TS>
