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
    <message>
        <source>History…</source>
        <translation>History…</translation>
    </message>
    <message>
        <source>Show the history of runs</source>
        <translation>Show the history of runs</translation>
    </message>
    <message>
        <source>Catalogue signature</source>
        <translation>Catalogue signature</translation>
    </message>
    <message>
        <source>Catalogue not signed</source>
        <translation>Catalogue not signed</translation>
    </message>
    <message>
        <source>Catalogue signed with key %1</source>
        <translation>Catalogue signed with key %1</translation>
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
        <source>slot %1 is listed twice</source>
        <translation>slot %1 is listed twice</translation>
    </message>
    <message>
        <source>slot %1 does not hold 128 hexadecimal digits</source>
        <translation>slot %1 does not hold 128 hexadecimal digits</translation>
    </message>
    <message>
        <source>cut short before the end line</source>
        <translation>cut short before the end line</translation>
    </message>
    <message>
        <source>the checksum line is missing</source>
        <translation>the checksum line is missing</translation>
    </message>
    <message>
        <source>the checksum does not match: changed after it was written</source>
        <translation>the checksum does not match: changed after it was written</translation>
    </message>
    <message>
        <source>no regular file: not read</source>
        <translation>no regular file: not read</translation>
    </message>
    <message>
        <source>larger than %1: not read</source>
        <translation>larger than %1: not read</translation>
    </message>
    <message>
        <source>The backup of the TARVIK&apos;s calibrations could not be saved to %1 (%2). Free some space there or make the folder writable, then try again.</source>
        <translation>The backup of the TARVIK&apos;s calibrations could not be saved to %1 (%2). Free some space there or make the folder writable, then try again.</translation>
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
        <source>damaged, cannot be restored</source>
        <translation>damaged, cannot be restored</translation>
    </message>
    <message>
        <source>cannot be checked: written by an earlier version</source>
        <translation>cannot be checked: written by an earlier version</translation>
    </message>
    <message>
        <source>This backup cannot be restored: %1. Choose another one.</source>
        <translation>This backup cannot be restored: %1. Choose another one.</translation>
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
    <message>
        <source>Empty</source>
        <translation>Empty</translation>
    </message>
    <message>
        <source>Recording the run failed: nothing was written.</source>
        <translation>Recording the run failed: nothing was written.</translation>
    </message>
    <message>
        <source>The run could not be recorded in the history %1 (%2). The backup was saved to %3. Free some space there or make the folder writable, then try again.</source>
        <translation>The run could not be recorded in the history %1 (%2). The backup was saved to %3. Free some space there or make the folder writable, then try again.</translation>
    </message>
    <message>
        <source>How this run ended could not be recorded in the history %1 (%2).</source>
        <translation>How this run ended could not be recorded in the history %1 (%2).</translation>
    </message>
    <message>
        <source>The last restore of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.</source>
        <translation>The last restore of this TARVIK did not finish (%1). Its calibrations from before are in the backup of %2.</translation>
    </message>
    <message>
        <source>The last update of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.</source>
        <translation>The last update of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.</translation>
    </message>
    <message>
        <source>The last restore of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.</source>
        <translation>The last restore of this TARVIK did not finish (%1). The backup of its calibrations from before, %2 of %3, is gone.</translation>
    </message>
    <message>
        <source>Restored</source>
        <translation>Restored</translation>
    </message>
    <message>
        <source>History…</source>
        <translation>History…</translation>
    </message>
    <message>
        <source>Show the history of runs</source>
        <translation>Show the history of runs</translation>
    </message>
    <message>
        <source>none found</source>
        <translation>none found</translation>
    </message>
    <message>
        <source>the signed catalogue is not a catalogue manifest</source>
        <translation>the signed catalogue is not a catalogue manifest</translation>
    </message>
    <message>
        <source>the signed catalogue is in a format this program does not know (%1)</source>
        <translation>the signed catalogue is in a format this program does not know (%1)</translation>
    </message>
    <message>
        <source>the signed catalogue cannot be read at line %1</source>
        <translation>the signed catalogue cannot be read at line %1</translation>
    </message>
    <message>
        <source>the signed catalogue names %1 twice</source>
        <translation>the signed catalogue names %1 twice</translation>
    </message>
    <message>
        <source>this catalogue is older than one already used (version %1, %2 used before)</source>
        <translation>this catalogue is older than one already used (version %1, %2 used before)</translation>
    </message>
    <message>
        <source>the catalogue expired on %1</source>
        <translation>the catalogue expired on %1</translation>
    </message>
    <message>
        <source>the listing names %1 twice</source>
        <translation>the listing names %1 twice</translation>
    </message>
    <message>
        <source>the listing names %1, which the signed catalogue does not</source>
        <translation>the listing names %1, which the signed catalogue does not</translation>
    </message>
    <message>
        <source>the listing does not name %1 of the signed catalogue</source>
        <translation>the listing does not name %1 of the signed catalogue</translation>
    </message>
    <message>
        <source>%1 differs from the signed catalogue</source>
        <translation>%1 differs from the signed catalogue</translation>
    </message>
    <message>
        <source>the catalogue key %1 the program was given cannot be read</source>
        <translation>the catalogue key %1 the program was given cannot be read</translation>
    </message>
    <message>
        <source>the catalogue's signature cannot be read</source>
        <translation>the catalogue's signature cannot be read</translation>
    </message>
    <message>
        <source>the catalogue is signed with key %1, which this program does not trust</source>
        <translation>the catalogue is signed with key %1, which this program does not trust</translation>
    </message>
    <message>
        <source>the catalogue's signature cannot be checked</source>
        <translation>the catalogue's signature cannot be checked</translation>
    </message>
    <message>
        <source>the catalogue's signature does not match</source>
        <translation>the catalogue's signature does not match</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The signed catalogue: %1</source>
        <translation>The signed catalogue: %1</translation>
    </message>
    <message>
        <source>it came incomplete: it ends before the end of a directory listing</source>
        <translation>it came incomplete: it ends before the end of a directory listing</translation>
    </message>
    <message>
        <source>the file is longer than the %1 bytes expected</source>
        <translation>the file is longer than the %1 bytes expected</translation>
    </message>
    <message>
        <source>the signed catalogue is larger than %1 MiB</source>
        <translation>the signed catalogue is larger than %1 MiB</translation>
    </message>
</context>
<context>
    <name>HistoryStore</name>
    <message>
        <source>The history %1 was written by a newer version of this program. It is shown, never changed; nothing can be written to the TARVIK until that version is used.</source>
        <translation>The history %1 was written by a newer version of this program. It is shown, never changed; nothing can be written to the TARVIK until that version is used.</translation>
    </message>
    <message>
        <source>the damaged file cannot be renamed</source>
        <translation>the damaged file cannot be renamed</translation>
    </message>
    <message>
        <source>The history %1 was damaged. It is kept as %2, and a new history was started.</source>
        <translation>The history %1 was damaged. It is kept as %2, and a new history was started.</translation>
    </message>
    <message>
        <source>it was written by a newer version of this program</source>
        <translation>it was written by a newer version of this program</translation>
    </message>
</context>
<context>
    <name>HistoryRun</name>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Backup taken</source>
        <translation>Backup taken</translation>
    </message>
    <message>
        <source>Not finished</source>
        <translation>Not finished</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Failed at slot %1: it read back otherwise than written</source>
        <translation>Failed at slot %1: it read back otherwise than written</translation>
    </message>
    <message>
        <source>Failed at slot %1 with code %2</source>
        <translation>Failed at slot %1 with code %2</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>Interrupted</translation>
    </message>
    <message>
        <source>Taken before the restore of %1: %2</source>
        <translation>Taken before the restore of %1: %2</translation>
    </message>
    <message>
        <source>Taken before the update of %1: %2</source>
        <translation>Taken before the update of %1: %2</translation>
    </message>
</context>
<context>
    <name>HistoryReport</name>
    <message>
        <source>Record of a restore of the TARVIK %1</source>
        <translation>Record of a restore of the TARVIK %1</translation>
    </message>
    <message>
        <source>Record of a backup of the TARVIK %1</source>
        <translation>Record of a backup of the TARVIK %1</translation>
    </message>
    <message>
        <source>Record of an update of the TARVIK %1</source>
        <translation>Record of an update of the TARVIK %1</translation>
    </message>
    <message>
        <source>Record of a run of the TARVIK %1</source>
        <translation>Record of a run of the TARVIK %1</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>Family</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Ended</translation>
    </message>
    <message>
        <source>User and host</source>
        <translation>User and host</translation>
    </message>
    <message>
        <source>Program version</source>
        <translation>Program version</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>SHA-256 of the source</source>
        <translation>SHA-256 of the source</translation>
    </message>
    <message>
        <source>Backup taken before</source>
        <translation>Backup taken before</translation>
    </message>
    <message>
        <source>SHA-256 of the backup</source>
        <translation>SHA-256 of the backup</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Slots before and after</source>
        <translation>Slots before and after</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>Matrix</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Base</source>
        <translation>Base</translation>
    </message>
    <message>
        <source>After</source>
        <translation>After</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
</context>
<context>
    <name>HistoryWindow</name>
    <message>
        <source>Time</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>TARVIK</source>
        <translation>TARVIK</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Show &amp;every TARVIK</source>
        <translation>Show &amp;every TARVIK</translation>
    </message>
    <message>
        <source>Show the runs of every TARVIK</source>
        <translation>Show the runs of every TARVIK</translation>
    </message>
    <message>
        <source>Runs, newest first</source>
        <translation>Runs, newest first</translation>
    </message>
    <message>
        <source>Slots before and after the chosen run</source>
        <translation>Slots before and after the chosen run</translation>
    </message>
    <message>
        <source>&amp;Restore the state before this run…</source>
        <translation>&amp;Restore the state before this run…</translation>
    </message>
    <message>
        <source>Restore the state before this run</source>
        <translation>Restore the state before this run</translation>
    </message>
    <message>
        <source>Export &amp;CSV…</source>
        <translation>Export &amp;CSV…</translation>
    </message>
    <message>
        <source>Export the listed runs as CSV</source>
        <translation>Export the listed runs as CSV</translation>
    </message>
    <message>
        <source>Export &amp;PDF…</source>
        <translation>Export &amp;PDF…</translation>
    </message>
    <message>
        <source>Export the record of this run as PDF</source>
        <translation>Export the record of this run as PDF</translation>
    </message>
    <message>
        <source>History</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Close the history</source>
        <translation>Close the history</translation>
    </message>
    <message>
        <source>The runs of every TARVIK, newest first.</source>
        <translation>The runs of every TARVIK, newest first.</translation>
    </message>
    <message>
        <source>The runs of the TARVIK %1, newest first.</source>
        <translation>The runs of the TARVIK %1, newest first.</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>The history cannot be read: %1</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>The backup %1 is gone.</source>
        <translation>The backup %1 is gone.</translation>
    </message>
    <message>
        <source>Export the history as CSV</source>
        <translation>Export the history as CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export failed</translation>
    </message>
    <message>
        <source>The history could not be written to %1 (%2). Choose another folder.</source>
        <translation>The history could not be written to %1 (%2). Choose another folder.</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>The record could not be written to %1 (%2). Choose another folder.</source>
        <translation>The record could not be written to %1 (%2). Choose another folder.</translation>
    </message>
</context>
</TS>
