<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Artwork</name>
    <message>
        <source>USB Connected</source>
        <translation>USB verbunden</translation>
    </message>
    <message>
        <source>ESC Connected</source>
        <translation>Regler verbunden</translation>
    </message>
    <message>
        <source>Program Card Connected</source>
        <translation>Programmierkarte verbunden</translation>
    </message>
    <message>
        <source>Firmware :</source>
        <translation>Firmware :</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Setup Sheet</source>
        <translation>Setup-Sheet</translation>
    </message>
    <message>
        <source>ESC FIRMWARE</source>
        <translation>REGLER-FIRMWARE</translation>
    </message>
    <message>
        <source>PROGRAM CARD FIRMWARE</source>
        <translation>PROGRAMMIERKARTEN-FIRMWARE</translation>
    </message>
    <message>
        <source>FIRMWARE INFORMATION</source>
        <translation>FIRMWARE-INFORMATIONEN</translation>
    </message>
    <message>
        <source>ESC
FIRMWARE
SAVE</source>
        <translation>REGLER-
FIRMWARE
AUFSPIELEN</translation>
    </message>
    <message>
        <source>PROGRAM CARD
FIRMWARE
SAVE</source>
        <translation>KARTEN-
FIRMWARE
AUFSPIELEN</translation>
    </message>
    <message>
        <source>Product page ›</source>
        <translation>Produktseite ›</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Anschließen</translation>
    </message>
    <message>
        <source>Plug the ORVEK USB link into the computer, then into the ESC&apos;s programming port or the QLX program card. The USB lamp lights once the adapter is found.</source>
        <translation>Den ORVEK USB-Link in den Computer stecken, dann in den Programmieranschluss des Reglers oder die QLX-Programmierkarte. Die USB-Lampe leuchtet, sobald der Adapter gefunden ist.</translation>
    </message>
    <message>
        <source>Choose the device</source>
        <translation>Gerät wählen</translation>
    </message>
    <message>
        <source>In the Device menu pick Esc or Program Card. The ESC or program card lamp lights as soon as the device answers.</source>
        <translation>Im Menü Gerät Regler oder Programmierkarte wählen. Die Lampe des Reglers oder der Karte leuchtet, sobald das Gerät antwortet.</translation>
    </message>
    <message>
        <source>The ESC&apos;s eighteen settings are read by themselves. Change them and click SEND SETTING; DEFAULT SETTING puts back the factory values. Team setup sheets: PRE-SET PROFILES.</source>
        <translation>Die achtzehn Einstellungen des Reglers werden von selbst gelesen. Ändern und SETUP SENDEN klicken; WERKSEINSTELLUNG stellt die Werkswerte wieder her. Team-Setups: TEAM-SETUPS.</translation>
    </message>
    <message>
        <source>Shows the firmware on the device. Pick an image and click its FIRMWARE SAVE picture; keep the device powered until Finished shows.</source>
        <translation>Zeigt die Firmware des Geräts. Eine Datei wählen und ihr Bild FIRMWARE AUFSPIELEN klicken; das Gerät eingeschaltet lassen, bis Fertig erscheint.</translation>
    </message>
    <message>
        <source>Fix Mode</source>
        <translation>Fix-Modus</translation>
    </message>
    <message>
        <source>If an update was cut short, choose Device &gt; Fix Mode, power the ESC and run the ESC firmware update again.</source>
        <translation>Brach ein Update ab: Gerät &gt; Fix-Modus wählen, den Regler einschalten und das Firmware-Update erneut starten.</translation>
    </message>
    <message>
        <source>Settings files</source>
        <translation>Einstellungsdateien</translation>
    </message>
    <message>
        <source>File &gt; Export Settings saves the settings to a .cfg file; File &gt; Import Settings loads them back.</source>
        <translation>Datei &gt; Einstellungen exportieren sichert die Einstellungen in eine .cfg-Datei; Datei &gt; Einstellungen importieren lädt sie zurück.</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next, previous control; Space or Enter clicks; arrows change a list. Alt+1, 2, 3: the pages; Alt+F, D, H: the menus.</source>
        <translation>Tab, Umschalt+Tab: nächstes, voriges Element; Leertaste oder Enter klickt; Pfeile ändern eine Liste. Alt+1, 2, 3: die Seiten; Alt+D, G, H: die Menüs.</translation>
    </message>
    <message>
        <source>GO TO</source>
        <translation>ZUR</translation>
    </message>
    <message>
        <source>HOMEPAGE</source>
        <translation>HOMEPAGE</translation>
    </message>
    <message>
        <source>ORVEK PRODUCTS</source>
        <translation>ORVEK-PRODUKTE</translation>
    </message>
    <message>
        <source>Brushless ESC</source>
        <translation>Brushless-Regler</translation>
    </message>
    <message>
        <source>Spec-class ESC</source>
        <translation>Einheitsklassen-Regler</translation>
    </message>
    <message>
        <source>Program card</source>
        <translation>Programmierkarte</translation>
    </message>
    <message>
        <source>Click a product for its page</source>
        <translation>Produkt anklicken für seine Seite</translation>
    </message>
    <message>
        <source>SELECT A DEVICE</source>
        <translation>GERÄT WÄHLEN</translation>
    </message>
    <message>
        <source>Device menu: Esc or Program Card</source>
        <translation>Menü Gerät: Regler oder Programmierkarte</translation>
    </message>
    <message>
        <source>DEVICE CONNECTION STATUS</source>
        <translation>VERBINDUNGSSTATUS</translation>
    </message>
    <message>
        <source>ESC INFORMATION</source>
        <translation>REGLER-INFORMATIONEN</translation>
    </message>
    <message>
        <source>BASIC SETUP</source>
        <translation>GRUND-SETUP</translation>
    </message>
    <message>
        <source>TECHNICAL SETUP</source>
        <translation>TECHNIK-SETUP</translation>
    </message>
    <message>
        <source>FACTORY TEAM PRE-SET
PROFILES SELECT</source>
        <translation>WERKS-TEAM-SETUPS
PROFIL WÄHLEN</translation>
    </message>
    <message>
        <source>TEAM DRIVER
SETUP COMMENT</source>
        <translation>TEAMFAHRER
SETUP-NOTIZ</translation>
    </message>
    <message>
        <source>DEFAULT
SETTING</source>
        <translation>WERKS-
EINSTELLUNG</translation>
    </message>
    <message>
        <source>SEND
SETTING</source>
        <translation>SETUP
SENDEN</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>USB Connection Error!</source>
        <translation>USB-Verbindungsfehler!</translation>
    </message>
    <message>
        <source>ESC Connection Error!</source>
        <translation>Regler-Verbindungsfehler!</translation>
    </message>
    <message>
        <source>Program Card Connection Error!</source>
        <translation>Programmierkarten-Verbindungsfehler!</translation>
    </message>
    <message>
        <source>Read File Error!</source>
        <translation>Datei kann nicht gelesen werden!</translation>
    </message>
    <message>
        <source>Write File Error!</source>
        <translation>Datei kann nicht geschrieben werden!</translation>
    </message>
    <message>
        <source>Send fail</source>
        <translation>Senden fehlgeschlagen</translation>
    </message>
    <message>
        <source>Send Fail</source>
        <translation>Senden fehlgeschlagen (Übernahme)</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd6, TX Timeover!</source>
        <translation>Update-Fehler: TX=0xd6, Zeit überschritten!</translation>
    </message>
    <message>
        <source>Update Error: TX=0x39, TX Timeover!</source>
        <translation>Update-Fehler: TX=0x39, Zeit überschritten!</translation>
    </message>
    <message>
        <source>Update Error: TX=0x31, TX Timeover!</source>
        <translation>Update-Fehler: TX=0x31, Zeit überschritten!</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd7, TX Timeover!</source>
        <translation>Update-Fehler: TX=0xd7, Zeit überschritten!</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd7, RX!=0xd8!</source>
        <translation>Update-Fehler: TX=0xd7, RX!=0xd8!</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd6, RX!=0xd7!</source>
        <translation>Update-Fehler: TX=0xd6, RX!=0xd7!</translation>
    </message>
    <message>
        <source>Update Error: Data transfer error!</source>
        <translation>Update-Fehler: Datenübertragung fehlgeschlagen!</translation>
    </message>
    <message>
        <source>Update Error: Data transfer no ack!</source>
        <translation>Update-Fehler: Datenübertragung ohne Bestätigung!</translation>
    </message>
    <message>
        <source>Update Error: Data transfer crc error!</source>
        <translation>Update-Fehler: Prüfsummenfehler bei der Übertragung!</translation>
    </message>
    <message>
        <source>Update Error: repeat Data transfer over four time!</source>
        <translation>Update-Fehler: Übertragung mehr als viermal wiederholt!</translation>
    </message>
    <message>
        <source>Update Error: transfer bytes number error!</source>
        <translation>Update-Fehler: falsche Anzahl übertragener Bytes!</translation>
    </message>
    <message>
        <source>Update Error: stopped on request!</source>
        <translation>Update-Fehler: auf Wunsch abgebrochen!</translation>
    </message>
    <message>
        <source>A write series is running. End it first.</source>
        <translation>Eine Serie läuft. Zuerst beenden.</translation>
    </message>
    <message>
        <source>The page shows no ESC&apos;s settings to write. Identify an ESC or load a setup sheet first.</source>
        <translation>Die Seite zeigt keine Reglerwerte zum Schreiben. Zuerst einen Regler erkennen lassen oder ein Setup-Sheet laden.</translation>
    </message>
    <message>
        <source>Plug in the next ESC</source>
        <translation>Nächsten Regler anstecken</translation>
    </message>
    <message>
        <source>Unplug the ESC on the line (or power it off)</source>
        <translation>Angeschlossenen Regler abstecken (oder ausschalten)</translation>
    </message>
    <message>
        <source>Unplug ESC %1 (or power it off)</source>
        <translation>Regler %1 abstecken (oder ausschalten)</translation>
    </message>
    <message>
        <source>Writing ESC %1…</source>
        <translation>Schreibe Regler %1…</translation>
    </message>
    <message>
        <source>Series ended: %1 ESC</source>
        <translation>Serie beendet: %1 Regler</translation>
    </message>
    <message>
        <source>Series ended: %1 ESCs</source>
        <translation>Serie beendet: %1 Regler</translation>
    </message>
    <message>
        <source>written and verified</source>
        <translation>geschrieben und geprüft</translation>
    </message>
    <message>
        <source>already equal</source>
        <translation>schon gleich</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>abgelehnt</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>read</source>
        <translation>gelesen</translation>
    </message>
    <message>
        <source>write</source>
        <translation>geschrieben</translation>
    </message>
    <message>
        <source>defaults</source>
        <translation>Werkseinstellung</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>Sicherung</translation>
    </message>
    <message>
        <source>update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>No permission to open the adapter&apos;s port. Install the ORVEK Link udev rule (the package does) and plug the adapter in again, or join the dialout group and log in again.</source>
        <translation>Kein Zugriff auf den Port des Adapters. Die udev-Regel von ORVEK Link installieren (das Paket tut es) und den Adapter neu anstecken, oder der Gruppe dialout beitreten und neu anmelden.</translation>
    </message>
    <message>
        <source>Windows refused the adapter&apos;s COM port. Close any other program that uses it, or plug the adapter in again and check its CP210x driver in the Device Manager.</source>
        <translation>Windows verweigert den COM-Port des Adapters. Andere Programme, die ihn nutzen, schließen, oder den Adapter neu anstecken und den CP210x-Treiber im Geräte-Manager prüfen.</translation>
    </message>
    <message>
        <source>Your setup sheet &quot;%1&quot; in %2 already exists.
Do you want to replace it?</source>
        <translation>Dein Setup-Sheet „%1“ in %2 gibt es schon.
Ersetzen?</translation>
    </message>
    <message>
        <source>An installed setup sheet &quot;%1&quot; in %2 has this name. It stays as it is; your copy is listed in its place.
Save it?</source>
        <translation>Ein mitgeliefertes Setup-Sheet „%1“ in %2 trägt diesen Namen. Es bleibt unverändert; deine Kopie erscheint an seiner Stelle.
Speichern?</translation>
    </message>
    <message>
        <source>Cannot write %1:
%2</source>
        <translation>%1 kann nicht geschrieben werden:
%2</translation>
    </message>
    <message>
        <source>A series report is written as .csv or .json.</source>
        <translation>Ein Serienbericht wird als .csv oder .json gespeichert.</translation>
    </message>
    <message>
        <source>Some settings differ from what the ESC holds and have not been sent.
Close without sending them?</source>
        <translation>Einige Einstellungen weichen vom Regler ab und wurden nicht gesendet.
Ohne Senden schließen?</translation>
    </message>
    <message>
        <source>The language could not be written to your config.ini.</source>
        <translation>Die Sprache konnte nicht in deine config.ini geschrieben werden.</translation>
    </message>
    <message>
        <source>Do you want to replace it?</source>
        <translation>Ersetzen?</translation>
    </message>
    <message>
        <source>These settings were left unchanged: their values match no option of the lists as they are filled now.</source>
        <translation>Diese Einstellungen blieben unverändert: ihre Werte passen zu keiner Option der jetzigen Listen.</translation>
    </message>
    <message>
        <source>Please select ESC Firmware version!</source>
        <translation>Bitte eine Regler-Firmware wählen!</translation>
    </message>
    <message>
        <source>Please select Program Card Firmware version!</source>
        <translation>Bitte eine Programmierkarten-Firmware wählen!</translation>
    </message>
    <message>
        <source>The settings history is locked by another program; this was not recorded.</source>
        <translation>Der Einstellungsverlauf ist von einem anderen Programm gesperrt; dies wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>The settings history cannot grow: the disk is full; this was not recorded.</source>
        <translation>Der Einstellungsverlauf kann nicht wachsen: der Datenträger ist voll; dies wurde nicht gespeichert.</translation>
    </message>
    <message>
        <source>The settings history was written by a newer version of the program; it is left as it is and nothing is recorded.</source>
        <translation>Der Einstellungsverlauf stammt von einer neueren Programmversion; er bleibt unverändert, und nichts wird gespeichert.</translation>
    </message>
    <message>
        <source>No such record in the settings history.</source>
        <translation>Diesen Eintrag gibt es im Einstellungsverlauf nicht.</translation>
    </message>
    <message>
        <source>the values are for %1; this is %2</source>
        <translation>die Werte sind für %1; dies ist ein %2</translation>
    </message>
    <message>
        <source>an Expert ESC</source>
        <translation>Expert-Regler</translation>
    </message>
    <message>
        <source>a Stock ESC</source>
        <translation>Stock-Regler</translation>
    </message>
    <message>
        <source>a Blinky ESC</source>
        <translation>Blinky-Regler</translation>
    </message>
    <message>
        <source>an Unlisted ESC</source>
        <translation>unbekannter Regler</translation>
    </message>
    <message>
        <source>unknown ESC type code %1</source>
        <translation>unbekannter Reglertyp %1</translation>
    </message>
    <message>
        <source>its settings could not be read</source>
        <translation>seine Einstellungen ließen sich nicht lesen</translation>
    </message>
    <message>
        <source>the values could not be read: %1</source>
        <translation>die Werte ließen sich nicht lesen: %1</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; matches no option on this ESC</source>
        <translation>%1: „%2“ passt zu keiner Option dieses Reglers</translation>
    </message>
    <message>
        <source>Send fail (pair %1 of %2, register %3, was not acknowledged)</source>
        <translation>Senden fehlgeschlagen (Paar %1 von %2, Register %3, nicht bestätigt)</translation>
    </message>
    <message>
        <source>Send Fail (the commit byte could not be sent)</source>
        <translation>Senden fehlgeschlagen (das Übernahme-Byte ging nicht hinaus)</translation>
    </message>
    <message>
        <source>write stopped after %1 of %2 pairs: the ESC holds an unfinished write, not committed, until the settings are written again or it is powered off</source>
        <translation>Schreiben nach %1 von %2 Paaren abgebrochen: der Regler hält ein unfertiges, nicht übernommenes Schreiben, bis die Einstellungen erneut geschrieben werden oder er ausgeschaltet wird</translation>
    </message>
    <message>
        <source>the settings were sent but could not be read back to verify them</source>
        <translation>die Einstellungen wurden gesendet, ließen sich zur Prüfung aber nicht zurücklesen</translation>
    </message>
    <message>
        <source>verification failed: %1</source>
        <translation>Prüfung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>setup sheet %1</source>
        <translation>Setup-Sheet %1</translation>
    </message>
    <message>
        <source>settings file %1</source>
        <translation>Einstellungsdatei %1</translation>
    </message>
    <message>
        <source>record #%1</source>
        <translation>Eintrag #%1</translation>
    </message>
    <message>
        <source>device</source>
        <translation>Regler</translation>
    </message>
    <message>
        <source>page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>sheet</source>
        <translation>Setup-Sheet</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>history</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>series</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>a sheet needs a name</source>
        <translation>ein Setup-Sheet braucht einen Namen</translation>
    </message>
    <message>
        <source>a sheet name must be UTF-8 text; this one holds bytes that are not</source>
        <translation>ein Sheet-Name muss UTF-8-Text sein; dieser enthält andere Bytes</translation>
    </message>
    <message>
        <source>a sheet name may not hold a tab, line break or other control character</source>
        <translation>ein Sheet-Name darf keinen Tabulator, Zeilenumbruch oder anderes Steuerzeichen enthalten</translation>
    </message>
    <message>
        <source>a sheet name may not hold any of : * ? &quot; &lt; &gt; | / \ (Windows file names cannot)</source>
        <translation>ein Sheet-Name darf keines von : * ? &quot; &lt; &gt; | / \ enthalten (Windows-Dateinamen können es nicht)</translation>
    </message>
    <message>
        <source>a sheet name may not be only spaces</source>
        <translation>ein Sheet-Name darf nicht nur aus Leerzeichen bestehen</translation>
    </message>
    <message>
        <source>a sheet name may not start with a dot</source>
        <translation>ein Sheet-Name darf nicht mit einem Punkt beginnen</translation>
    </message>
    <message>
        <source>a sheet name may not end in a dot or a space (Windows drops them from file names)</source>
        <translation>ein Sheet-Name darf nicht auf Punkt oder Leerzeichen enden (Windows entfernt sie aus Dateinamen)</translation>
    </message>
    <message>
        <source>a sheet name may not be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with or without an extension (Windows keeps these names for devices)</source>
        <translation>ein Sheet-Name darf nicht CON, PRN, AUX, NUL, COM1 bis COM9 oder LPT1 bis LPT9 sein, mit oder ohne Endung (Windows hält diese Namen für Geräte frei)</translation>
    </message>
    <message>
        <source>a sheet name may be at most 100 characters long</source>
        <translation>ein Sheet-Name darf höchstens 100 Zeichen lang sein</translation>
    </message>
    <message>
        <source>the memo holds a line break; a sheet keeps one line</source>
        <translation>die Notiz enthält einen Zeilenumbruch; ein Sheet speichert eine Zeile</translation>
    </message>
    <message>
        <source>the %1 value holds a line break; a sheet keeps one line</source>
        <translation>der Wert %1 enthält einen Zeilenumbruch; ein Sheet speichert eine Zeile</translation>
    </message>
    <message>
        <source>the memo is %1 bytes long; a sheet keeps at most %2 (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)</source>
        <translation>die Notiz ist %1 Bytes lang; ein Sheet speichert höchstens %2 (ein einfacher Buchstabe braucht 1 Byte, ein Umlaut 2, ein japanisches Zeichen 3)</translation>
    </message>
    <message>
        <source>the %1 value is %2 bytes long; a sheet keeps at most %3 (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)</source>
        <translation>der Wert %1 ist %2 Bytes lang; ein Sheet speichert höchstens %3 (ein einfacher Buchstabe braucht 1 Byte, ein Umlaut 2, ein japanisches Zeichen 3)</translation>
    </message>
    <message>
        <source>The diagnostic log could not be written.</source>
        <translation>Das Diagnoseprotokoll konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>SettingName</name>
    <message>
        <source>Operation Mode</source>
        <translation>Fahrmodus</translation>
    </message>
    <message>
        <source>Reverse Speed</source>
        <translation>Rückwärtsgas</translation>
    </message>
    <message>
        <source>Low Volt Cut</source>
        <translation>Unterspannung</translation>
    </message>
    <message>
        <source>Drag Brake</source>
        <translation>Drag Brake</translation>
    </message>
    <message>
        <source>Initial Brake</source>
        <translation>Anfangsbremse</translation>
    </message>
    <message>
        <source>Full Brake</source>
        <translation>Max. Bremse</translation>
    </message>
    <message>
        <source>Brake Frequency</source>
        <translation>Bremsfrequenz</translation>
    </message>
    <message>
        <source>Power Profile</source>
        <translation>Power Profile</translation>
    </message>
    <message>
        <source>Drive Frequency</source>
        <translation>Antriebsfrequenz</translation>
    </message>
    <message>
        <source>Neutral DeadBand</source>
        <translation>Neutralzone</translation>
    </message>
    <message>
        <source>Temp Cut Set</source>
        <translation>Temperaturschutz</translation>
    </message>
    <message>
        <source>Boost Timing</source>
        <translation>Boost Timing</translation>
    </message>
    <message>
        <source>Boost RPM</source>
        <translation>Boost RPM</translation>
    </message>
    <message>
        <source>Boost ACC</source>
        <translation>Boost ACC</translation>
    </message>
    <message>
        <source>Turbo Timing</source>
        <translation>Turbo Timing</translation>
    </message>
    <message>
        <source>Turbo Slope</source>
        <translation>Turbo Slope</translation>
    </message>
    <message>
        <source>Turbo Delay</source>
        <translation>Turbo Delay</translation>
    </message>
    <message>
        <source>Rotation Mode</source>
        <translation>Drehrichtung</translation>
    </message>
    <message>
        <source>Driver</source>
        <translation>Fahrer</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Rennen</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Motor</translation>
    </message>
    <message>
        <source>Gear Ratio</source>
        <translation>Übersetzung</translation>
    </message>
    <message>
        <source>Timing</source>
        <translation>Timing</translation>
    </message>
    <message>
        <source>Rotor</source>
        <translation>Rotor</translation>
    </message>
    <message>
        <source>Track Name</source>
        <translation>Strecke</translation>
    </message>
    <message>
        <source>Track Type</source>
        <translation>Streckenart</translation>
    </message>
    <message>
        <source>Track Design</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Traction Level</source>
        <translation>Grip</translation>
    </message>
    <message>
        <source>Temp Track</source>
        <translation>Temperatur</translation>
    </message>
</context>
<context>
    <name>escSetupText</name>
    <message>
        <source>Closing...</source>
        <translation>Schließe...</translation>
    </message>
    <message>
        <source>SEND SETTING</source>
        <translation>SETUP SENDEN</translation>
    </message>
    <message>
        <source>DEFAULT SETTING</source>
        <translation>WERKSEINSTELLUNG</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Setup Sheet</source>
        <translation>Setup-Sheet</translation>
    </message>
    <message>
        <source>Setup comment</source>
        <translation>Setup-Notiz</translation>
    </message>
    <message>
        <source>Settings write</source>
        <translation>Schreiben der Einstellungen</translation>
    </message>
</context>
<context>
    <name>fileFilter</name>
    <message>
        <source>config Files (*.cfg)</source>
        <translation>Einstellungsdateien (*.cfg)</translation>
    </message>
    <message>
        <source>Setup card (*.pdf *.png)</source>
        <translation>Setup-Karte (*.pdf *.png)</translation>
    </message>
    <message>
        <source>Diagnostic log (*.txt)</source>
        <translation>Diagnoseprotokoll (*.txt)</translation>
    </message>
</context>
<context>
    <name>firmwareText</name>
    <message>
        <source>Model Name</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Hardware Version</source>
        <translation>Hardware-Version</translation>
    </message>
    <message>
        <source>Now Firmware</source>
        <translation>Aktuelle Firmware</translation>
    </message>
    <message>
        <source>Change Firmware</source>
        <translation>Neue Firmware</translation>
    </message>
    <message>
        <source>ESC: Change Firmware</source>
        <translation>Regler: Neue Firmware</translation>
    </message>
    <message>
        <source>Program card: Change Firmware</source>
        <translation>Programmierkarte: Neue Firmware</translation>
    </message>
    <message>
        <source>ESC FIRMWARE SAVE</source>
        <translation>REGLER-FIRMWARE AUFSPIELEN</translation>
    </message>
    <message>
        <source>PROGRAM CARD FIRMWARE SAVE</source>
        <translation>PROGRAMMIERKARTEN-FIRMWARE AUFSPIELEN</translation>
    </message>
    <message>
        <source>ESC firmware update</source>
        <translation>Regler-Firmware-Update</translation>
    </message>
    <message>
        <source>Program card firmware update</source>
        <translation>Programmierkarten-Firmware-Update</translation>
    </message>
    <message>
        <source>Firmware information</source>
        <translation>Firmware-Informationen</translation>
    </message>
</context>
<context>
    <name>linksText</name>
    <message>
        <source>ORVEK homepage</source>
        <translation>ORVEK-Homepage</translation>
    </message>
</context>
<context>
    <name>menuText</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Import Settings</source>
        <translation>Einstellungen &amp;importieren</translation>
    </message>
    <message>
        <source>&amp;Export Settings</source>
        <translation>Einstellungen &amp;exportieren</translation>
    </message>
    <message>
        <source>Save as Setup &amp;Sheet...</source>
        <translation>Als Setup-&amp;Sheet speichern...</translation>
    </message>
    <message>
        <source>Export Setup &amp;Card...</source>
        <translation>Setup-&amp;Karte exportieren...</translation>
    </message>
    <message>
        <source>Settings &amp;History...</source>
        <translation>Einstellungs&amp;verlauf...</translation>
    </message>
    <message>
        <source>Write Se&amp;ries...</source>
        <translation>Se&amp;rie schreiben...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>&amp;Esc</source>
        <translation>&amp;Regler (ESC)</translation>
    </message>
    <message>
        <source>&amp;Program Card</source>
        <translation>&amp;Programmierkarte</translation>
    </message>
    <message>
        <source>&amp;Fix Mode</source>
        <translation>&amp;Fix-Modus</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;Language (from the next start)</source>
        <translation>&amp;Sprache (ab dem nächsten Start)</translation>
    </message>
    <message>
        <source>Save &amp;Diagnostic Log...</source>
        <translation>&amp;Diagnoseprotokoll speichern...</translation>
    </message>
</context>
<context>
    <name>orvek::CEscSetupDlg</name>
    <message>
        <source>Differs from the ESC: SEND SETTING writes it</source>
        <translation>Weicht vom Regler ab: SETUP SENDEN schreibt es</translation>
    </message>
</context>
<context>
    <name>orvek::CFirmwareDlg</name>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>The firmware image %1 is damaged:</source>
        <translation>Die Firmware-Datei %1 ist beschädigt:</translation>
    </message>
    <message>
        <source>... and %1</source>
        <translation>... und %1</translation>
    </message>
    <message>
        <source>Upload it anyway?</source>
        <translation>Trotzdem aufspielen?</translation>
    </message>
    <message>
        <source>No firmware information: %1 cannot be read.</source>
        <translation>Keine Firmware-Informationen: %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>ESC settings saved to %1</source>
        <translation>Reglereinstellungen gesichert in %1</translation>
    </message>
    <message>
        <source>ESC settings NOT saved: cannot write %1</source>
        <translation>Reglereinstellungen NICHT gesichert: %1 nicht beschreibbar</translation>
    </message>
</context>
<context>
    <name>orvek::CHistoryDlg</name>
    <message>
        <source>Settings History</source>
        <translation>Einstellungsverlauf</translation>
    </message>
    <message>
        <source>Show &amp;all models</source>
        <translation>&amp;Alle Modelle zeigen</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Quelle</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Recorded settings</source>
        <translation>Gespeicherte Einstellungen</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Einstellung</translation>
    </message>
    <message>
        <source>This record</source>
        <translation>Dieser Eintrag</translation>
    </message>
    <message>
        <source>On the page</source>
        <translation>Auf der Seite</translation>
    </message>
    <message>
        <source>The record beside the page</source>
        <translation>Der Eintrag neben der Seite</translation>
    </message>
    <message>
        <source>heat 2, too much punch</source>
        <translation>Vorlauf 2, zu viel Punch</translation>
    </message>
    <message>
        <source>E&amp;xport as .cfg</source>
        <translation>Als .cfg e&amp;xportieren</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>abweichend</translation>
    </message>
    <message>
        <source>Differs from the page</source>
        <translation>Weicht von der Seite ab</translation>
    </message>
    <message>
        <source>Not while a firmware update runs.</source>
        <translation>Nicht während eines Firmware-Updates.</translation>
    </message>
    <message>
        <source>Loaded into the page; SEND SETTING writes it.</source>
        <translation>In die Seite geladen; SETUP SENDEN schreibt es.</translation>
    </message>
    <message>
        <source>Sav&amp;e note</source>
        <translation>Notiz &amp;speichern</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>(edited)</source>
        <translation>(bearbeitet)</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Notiz</translation>
    </message>
    <message>
        <source>&amp;Load into the page</source>
        <translation>In die Seite &amp;laden</translation>
    </message>
    <message>
        <source>&amp;Edit note</source>
        <translation>Notiz &amp;bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>orvek::CSaveSheetDlg</name>
    <message>
        <source>Save as Setup Sheet</source>
        <translation>Als Setup-Sheet speichern</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Sheet name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Notiz</translation>
    </message>
</context>
<context>
    <name>orvek::CSeriesDlg</name>
    <message>
        <source>unknown model</source>
        <translation>unbekanntes Modell</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Setup sheet</source>
        <translation>Setup-Sheet</translation>
    </message>
    <message>
        <source>Settings file</source>
        <translation>Einstellungsdatei</translation>
    </message>
    <message>
        <source>History record</source>
        <translation>Verlaufseintrag</translation>
    </message>
</context>
<context>
    <name>orvek::SeriesPanel</name>
    <message>
        <source>1 setting changed</source>
        <translation>1 Einstellung geändert</translation>
    </message>
    <message>
        <source>%1 settings changed</source>
        <translation>%1 Einstellungen geändert</translation>
    </message>
    <message>
        <source>ESC %1: %2</source>
        <translation>Regler %1: %2</translation>
    </message>
    <message>
        <source>unknown model</source>
        <translation>unbekanntes Modell</translation>
    </message>
</context>
<context>
    <name>seriesCommandText</name>
    <message>
        <source>Series report (*.csv *.json)</source>
        <translation>Serienbericht (*.csv *.json)</translation>
    </message>
</context>
<context>
    <name>seriesDialogText</name>
    <message>
        <source>Write Series</source>
        <translation>Serie schreiben</translation>
    </message>
    <message>
        <source>The settings on the &amp;page</source>
        <translation>Die Einstellungen der &amp;Seite</translation>
    </message>
    <message>
        <source>A setup &amp;sheet</source>
        <translation>Ein Setup-S&amp;heet</translation>
    </message>
    <message>
        <source>A settings &amp;file</source>
        <translation>Eine Einstellungs&amp;datei</translation>
    </message>
    <message>
        <source>A history &amp;record</source>
        <translation>Ein &amp;Verlaufseintrag</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>Series &amp;name</source>
        <translation>&amp;Name der Serie</translation>
    </message>
    <message>
        <source>Number of &amp;ESCs</source>
        <translation>Anzahl &amp;Regler</translation>
    </message>
    <message>
        <source>until I end it</source>
        <translation>bis ich sie beende</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>An ESC has no serial number: the series takes the next ESC once the one before has been unplugged (or powered off) and the new one is identified. The ESC on the line now is the first.</source>
        <translation>Ein Regler hat keine Seriennummer: die Serie nimmt den nächsten Regler, sobald der vorige abgesteckt (oder ausgeschaltet) und der neue erkannt ist. Der jetzt angeschlossene Regler ist der erste.</translation>
    </message>
</context>
<context>
    <name>seriesPanelText</name>
    <message>
        <source>WRITE SERIES</source>
        <translation>SERIE SCHREIBEN</translation>
    </message>
    <message>
        <source>ESCs of the series</source>
        <translation>Regler der Serie</translation>
    </message>
    <message>
        <source>Series status</source>
        <translation>Stand der Serie</translation>
    </message>
    <message>
        <source>&amp;End Series</source>
        <translation>Serie &amp;beenden</translation>
    </message>
    <message>
        <source>Save &amp;Report...</source>
        <translation>&amp;Bericht speichern...</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>windowText</name>
    <message>
        <source>About Tarnwick Racing ORVEK USB Link V1.1</source>
        <translation>Über Tarnwick Racing ORVEK USB Link V1.1</translation>
    </message>
    <message>
        <source>USB connected</source>
        <translation>USB verbunden</translation>
    </message>
    <message>
        <source>ESC connected</source>
        <translation>Regler verbunden</translation>
    </message>
    <message>
        <source>Program card connected</source>
        <translation>Programmierkarte verbunden</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>Select a device: Device menu, Esc or Program Card</source>
        <translation>Gerät wählen: Menü Gerät, Regler oder Programmierkarte</translation>
    </message>
    <message>
        <source>USER SUPPORT</source>
        <translation>SUPPORT</translation>
    </message>
    <message>
        <source>ESC SETUP</source>
        <translation>REGLER-SETUP</translation>
    </message>
    <message>
        <source>FIRMWARE</source>
        <translation>FIRMWARE</translation>
    </message>
</context>
</TS>
