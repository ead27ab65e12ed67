<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Artwork</name>
    <message>
        <source>USB Connected</source>
        <translation>USB connecté</translation>
    </message>
    <message>
        <source>ESC Connected</source>
        <translation>Variateur connecté</translation>
    </message>
    <message>
        <source>Program Card Connected</source>
        <translation>Carte connectée</translation>
    </message>
    <message>
        <source>Firmware :</source>
        <translation>Firmware :</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Setup Sheet</source>
        <translation>Fiche de setup</translation>
    </message>
    <message>
        <source>ESC FIRMWARE</source>
        <translation>FIRMWARE DU VARIATEUR</translation>
    </message>
    <message>
        <source>PROGRAM CARD FIRMWARE</source>
        <translation>FIRMWARE DE LA CARTE</translation>
    </message>
    <message>
        <source>FIRMWARE INFORMATION</source>
        <translation>INFORMATIONS FIRMWARE</translation>
    </message>
    <message>
        <source>ESC
FIRMWARE
SAVE</source>
        <translation>INSTALLER
FIRMWARE
VARIATEUR</translation>
    </message>
    <message>
        <source>PROGRAM CARD
FIRMWARE
SAVE</source>
        <translation>INSTALLER
FIRMWARE
CARTE</translation>
    </message>
    <message>
        <source>Product page ›</source>
        <translation>Page produit ›</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connexion</translation>
    </message>
    <message>
        <source>Plug the ORVEK USB link into the computer, then into the ESC&apos;s programming port or the QLX program card. The USB lamp lights once the adapter is found.</source>
        <translation>Branchez le lien USB ORVEK sur l&apos;ordinateur, puis sur la prise de programmation du variateur ou sur la carte QLX. Le voyant USB s&apos;allume dès que l&apos;adaptateur est trouvé.</translation>
    </message>
    <message>
        <source>Choose the device</source>
        <translation>Choix de l&apos;appareil</translation>
    </message>
    <message>
        <source>In the Device menu pick Esc or Program Card. The ESC or program card lamp lights as soon as the device answers.</source>
        <translation>Dans le menu Appareil, choisissez Variateur ou Carte de programmation. Le voyant s&apos;allume dès que l&apos;appareil répond.</translation>
    </message>
    <message>
        <source>The ESC&apos;s eighteen settings are read by themselves. Change them and click SEND SETTING; DEFAULT SETTING puts back the factory values. Team setup sheets: PRE-SET PROFILES.</source>
        <translation>Les dix-huit réglages du variateur sont lus d&apos;eux-mêmes. Modifiez-les et cliquez sur ENVOYER RÉGLAGES ; RÉGLAGES USINE remet les valeurs d&apos;usine. Fiches de setup d&apos;équipe : SETUPS D&apos;USINE.</translation>
    </message>
    <message>
        <source>Shows the firmware on the device. Pick an image and click its FIRMWARE SAVE picture; keep the device powered until Finished shows.</source>
        <translation>Affiche le firmware de l&apos;appareil. Choisissez un fichier et cliquez sur son bouton INSTALLER ; laissez l&apos;appareil alimenté jusqu&apos;à Terminé.</translation>
    </message>
    <message>
        <source>Fix Mode</source>
        <translation>Mode Fix</translation>
    </message>
    <message>
        <source>If an update was cut short, choose Device &gt; Fix Mode, power the ESC and run the ESC firmware update again.</source>
        <translation>Si une mise à jour a été interrompue, choisissez Appareil &gt; Mode Fix, alimentez le variateur et relancez la mise à jour du firmware.</translation>
    </message>
    <message>
        <source>Settings files</source>
        <translation>Fichiers de réglages</translation>
    </message>
    <message>
        <source>File &gt; Export Settings saves the settings to a .cfg file; File &gt; Import Settings loads them back.</source>
        <translation>Fichier &gt; Exporter les réglages les enregistre dans un fichier .cfg ; Fichier &gt; Importer les réglages les recharge.</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Clavier</translation>
    </message>
    <message>
        <source>Tab, Shift+Tab: next, previous control; Space or Enter clicks; arrows change a list. Alt+1, 2, 3: the pages; Alt+F, D, H: the menus.</source>
        <translation>Tab, Maj+Tab : élément suivant, précédent ; Espace ou Entrée clique ; les flèches changent une liste. Alt+1, 2, 3 : les pages ; Alt+F, A, D : les menus.</translation>
    </message>
    <message>
        <source>GO TO</source>
        <translation>VERS LE</translation>
    </message>
    <message>
        <source>HOMEPAGE</source>
        <translation>SITE</translation>
    </message>
    <message>
        <source>ORVEK PRODUCTS</source>
        <translation>PRODUITS ORVEK</translation>
    </message>
    <message>
        <source>Brushless ESC</source>
        <translation>Variateur brushless</translation>
    </message>
    <message>
        <source>Spec-class ESC</source>
        <translation>Variateur classe monotype</translation>
    </message>
    <message>
        <source>Program card</source>
        <translation>Carte de programmation</translation>
    </message>
    <message>
        <source>Click a product for its page</source>
        <translation>Cliquez sur un produit pour sa page</translation>
    </message>
    <message>
        <source>SELECT A DEVICE</source>
        <translation>CHOISIR UN APPAREIL</translation>
    </message>
    <message>
        <source>Device menu: Esc or Program Card</source>
        <translation>Menu Appareil : Variateur ou Carte</translation>
    </message>
    <message>
        <source>DEVICE CONNECTION STATUS</source>
        <translation>ÉTAT DES CONNEXIONS</translation>
    </message>
    <message>
        <source>ESC INFORMATION</source>
        <translation>INFOS VARIATEUR</translation>
    </message>
    <message>
        <source>BASIC SETUP</source>
        <translation>RÉGLAGES DE BASE</translation>
    </message>
    <message>
        <source>TECHNICAL SETUP</source>
        <translation>RÉGLAGES AVANCÉS</translation>
    </message>
    <message>
        <source>FACTORY TEAM PRE-SET
PROFILES SELECT</source>
        <translation>SETUPS D&apos;USINE
CHOIX DU PROFIL</translation>
    </message>
    <message>
        <source>TEAM DRIVER
SETUP COMMENT</source>
        <translation>PILOTE D&apos;ÉQUIPE
NOTE DE SETUP</translation>
    </message>
    <message>
        <source>DEFAULT
SETTING</source>
        <translation>RÉGLAGES
USINE</translation>
    </message>
    <message>
        <source>SEND
SETTING</source>
        <translation>ENVOYER
RÉGLAGES</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>USB Connection Error!</source>
        <translation>Erreur de connexion USB !</translation>
    </message>
    <message>
        <source>ESC Connection Error!</source>
        <translation>Erreur de connexion au variateur !</translation>
    </message>
    <message>
        <source>Program Card Connection Error!</source>
        <translation>Erreur de connexion à la carte de programmation !</translation>
    </message>
    <message>
        <source>Read File Error!</source>
        <translation>Erreur de lecture du fichier !</translation>
    </message>
    <message>
        <source>Write File Error!</source>
        <translation>Erreur d&apos;écriture du fichier !</translation>
    </message>
    <message>
        <source>Send fail</source>
        <translation>Échec de l&apos;envoi</translation>
    </message>
    <message>
        <source>Send Fail</source>
        <translation>Échec de l&apos;envoi (validation)</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd6, TX Timeover!</source>
        <translation>Erreur de mise à jour : TX=0xd6, délai dépassé !</translation>
    </message>
    <message>
        <source>Update Error: TX=0x39, TX Timeover!</source>
        <translation>Erreur de mise à jour : TX=0x39, délai dépassé !</translation>
    </message>
    <message>
        <source>Update Error: TX=0x31, TX Timeover!</source>
        <translation>Erreur de mise à jour : TX=0x31, délai dépassé !</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd7, TX Timeover!</source>
        <translation>Erreur de mise à jour : TX=0xd7, délai dépassé !</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd7, RX!=0xd8!</source>
        <translation>Erreur de mise à jour : TX=0xd7, RX!=0xd8 !</translation>
    </message>
    <message>
        <source>Update Error: TX=0xd6, RX!=0xd7!</source>
        <translation>Erreur de mise à jour : TX=0xd6, RX!=0xd7 !</translation>
    </message>
    <message>
        <source>Update Error: Data transfer error!</source>
        <translation>Erreur de mise à jour : échec du transfert !</translation>
    </message>
    <message>
        <source>Update Error: Data transfer no ack!</source>
        <translation>Erreur de mise à jour : transfert sans accusé de réception !</translation>
    </message>
    <message>
        <source>Update Error: Data transfer crc error!</source>
        <translation>Erreur de mise à jour : erreur CRC pendant le transfert !</translation>
    </message>
    <message>
        <source>Update Error: repeat Data transfer over four time!</source>
        <translation>Erreur de mise à jour : transfert répété plus de quatre fois !</translation>
    </message>
    <message>
        <source>Update Error: transfer bytes number error!</source>
        <translation>Erreur de mise à jour : nombre d&apos;octets transférés incorrect !</translation>
    </message>
    <message>
        <source>Update Error: stopped on request!</source>
        <translation>Erreur de mise à jour : arrêtée à la demande !</translation>
    </message>
    <message>
        <source>A write series is running. End it first.</source>
        <translation>Une série est en cours. Terminez-la d&apos;abord.</translation>
    </message>
    <message>
        <source>The page shows no ESC&apos;s settings to write. Identify an ESC or load a setup sheet first.</source>
        <translation>La page n&apos;affiche aucun réglage de variateur à écrire. Faites d&apos;abord reconnaître un variateur ou chargez une fiche de setup.</translation>
    </message>
    <message>
        <source>Plug in the next ESC</source>
        <translation>Branchez le variateur suivant</translation>
    </message>
    <message>
        <source>Unplug the ESC on the line (or power it off)</source>
        <translation>Débranchez le variateur connecté (ou éteignez-le)</translation>
    </message>
    <message>
        <source>Unplug ESC %1 (or power it off)</source>
        <translation>Débranchez le variateur %1 (ou éteignez-le)</translation>
    </message>
    <message>
        <source>Writing ESC %1…</source>
        <translation>Écriture du variateur %1…</translation>
    </message>
    <message>
        <source>Series ended: %1 ESC</source>
        <translation>Série terminée : %1 variateur</translation>
    </message>
    <message>
        <source>Series ended: %1 ESCs</source>
        <translation>Série terminée : %1 variateurs</translation>
    </message>
    <message>
        <source>written and verified</source>
        <translation>écrit et vérifié</translation>
    </message>
    <message>
        <source>already equal</source>
        <translation>déjà identique</translation>
    </message>
    <message>
        <source>refused</source>
        <translation>refusé</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>échec</translation>
    </message>
    <message>
        <source>read</source>
        <translation>lecture</translation>
    </message>
    <message>
        <source>write</source>
        <translation>écriture</translation>
    </message>
    <message>
        <source>defaults</source>
        <translation>usine</translation>
    </message>
    <message>
        <source>backup</source>
        <translation>sauvegarde</translation>
    </message>
    <message>
        <source>update</source>
        <translation>mise à jour</translation>
    </message>
    <message>
        <source>No permission to open the adapter&apos;s port. Install the ORVEK Link udev rule (the package does) and plug the adapter in again, or join the dialout group and log in again.</source>
        <translation>Pas le droit d&apos;ouvrir le port de l&apos;adaptateur. Installez la règle udev d&apos;ORVEK Link (le paquet le fait) et rebranchez l&apos;adaptateur, ou rejoignez le groupe dialout et reconnectez-vous.</translation>
    </message>
    <message>
        <source>Windows refused the adapter&apos;s COM port. Close any other program that uses it, or plug the adapter in again and check its CP210x driver in the Device Manager.</source>
        <translation>Windows refuse le port COM de l&apos;adaptateur. Fermez tout autre programme qui l&apos;utilise, ou rebranchez l&apos;adaptateur et vérifiez son pilote CP210x dans le Gestionnaire de périphériques.</translation>
    </message>
    <message>
        <source>Your setup sheet &quot;%1&quot; in %2 already exists.
Do you want to replace it?</source>
        <translation>Votre fiche de setup « %1 » dans %2 existe déjà.
La remplacer ?</translation>
    </message>
    <message>
        <source>An installed setup sheet &quot;%1&quot; in %2 has this name. It stays as it is; your copy is listed in its place.
Save it?</source>
        <translation>Une fiche de setup fournie « %1 » dans %2 porte ce nom. Elle reste telle quelle ; votre copie apparaît à sa place.
Enregistrer ?</translation>
    </message>
    <message>
        <source>Cannot write %1:
%2</source>
        <translation>Impossible d&apos;écrire %1 :
%2</translation>
    </message>
    <message>
        <source>A series report is written as .csv or .json.</source>
        <translation>Un rapport de série s&apos;enregistre en .csv ou en .json.</translation>
    </message>
    <message>
        <source>Some settings differ from what the ESC holds and have not been sent.
Close without sending them?</source>
        <translation>Certains réglages diffèrent de ceux du variateur et n&apos;ont pas été envoyés.
Fermer sans les envoyer ?</translation>
    </message>
    <message>
        <source>The language could not be written to your config.ini.</source>
        <translation>Impossible d&apos;écrire la langue dans votre config.ini.</translation>
    </message>
    <message>
        <source>Do you want to replace it?</source>
        <translation>Le remplacer ?</translation>
    </message>
    <message>
        <source>These settings were left unchanged: their values match no option of the lists as they are filled now.</source>
        <translation>Ces réglages n&apos;ont pas changé : leurs valeurs ne correspondent à aucune option des listes actuelles.</translation>
    </message>
    <message>
        <source>Please select ESC Firmware version!</source>
        <translation>Choisissez un firmware de variateur !</translation>
    </message>
    <message>
        <source>Please select Program Card Firmware version!</source>
        <translation>Choisissez un firmware de carte de programmation !</translation>
    </message>
    <message>
        <source>The settings history is locked by another program; this was not recorded.</source>
        <translation>L&apos;historique des réglages est verrouillé par un autre programme ; ceci n&apos;a pas été enregistré.</translation>
    </message>
    <message>
        <source>The settings history cannot grow: the disk is full; this was not recorded.</source>
        <translation>L&apos;historique des réglages ne peut plus grandir : le disque est plein ; ceci n&apos;a pas été enregistré.</translation>
    </message>
    <message>
        <source>The settings history was written by a newer version of the program; it is left as it is and nothing is recorded.</source>
        <translation>L&apos;historique des réglages vient d&apos;une version plus récente du programme ; il reste tel quel et rien n&apos;est enregistré.</translation>
    </message>
    <message>
        <source>No such record in the settings history.</source>
        <translation>Cet enregistrement n&apos;existe pas dans l&apos;historique des réglages.</translation>
    </message>
    <message>
        <source>the values are for %1; this is %2</source>
        <translation>les valeurs sont pour %1 ; celui-ci est %2</translation>
    </message>
    <message>
        <source>an Expert ESC</source>
        <translation>un variateur Expert</translation>
    </message>
    <message>
        <source>a Stock ESC</source>
        <translation>un variateur Stock</translation>
    </message>
    <message>
        <source>a Blinky ESC</source>
        <translation>un variateur Blinky</translation>
    </message>
    <message>
        <source>an Unlisted ESC</source>
        <translation>un variateur inconnu</translation>
    </message>
    <message>
        <source>unknown ESC type code %1</source>
        <translation>code de type de variateur inconnu %1</translation>
    </message>
    <message>
        <source>its settings could not be read</source>
        <translation>ses réglages n&apos;ont pas pu être lus</translation>
    </message>
    <message>
        <source>the values could not be read: %1</source>
        <translation>les valeurs n&apos;ont pas pu être lues : %1</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; matches no option on this ESC</source>
        <translation>%1 : « %2 » ne correspond à aucune option de ce variateur</translation>
    </message>
    <message>
        <source>Send fail (pair %1 of %2, register %3, was not acknowledged)</source>
        <translation>Échec de l&apos;envoi (paire %1 sur %2, registre %3, sans accusé de réception)</translation>
    </message>
    <message>
        <source>Send Fail (the commit byte could not be sent)</source>
        <translation>Échec de l&apos;envoi (l&apos;octet de validation n&apos;a pas pu partir)</translation>
    </message>
    <message>
        <source>write stopped after %1 of %2 pairs: the ESC holds an unfinished write, not committed, until the settings are written again or it is powered off</source>
        <translation>écriture arrêtée après %1 paires sur %2 : le variateur garde une écriture inachevée, non validée, jusqu&apos;à une nouvelle écriture des réglages ou sa mise hors tension</translation>
    </message>
    <message>
        <source>the settings were sent but could not be read back to verify them</source>
        <translation>les réglages ont été envoyés mais n&apos;ont pas pu être relus pour les vérifier</translation>
    </message>
    <message>
        <source>verification failed: %1</source>
        <translation>échec de la vérification : %1</translation>
    </message>
    <message>
        <source>setup sheet %1</source>
        <translation>fiche de setup %1</translation>
    </message>
    <message>
        <source>settings file %1</source>
        <translation>fichier de réglages %1</translation>
    </message>
    <message>
        <source>record #%1</source>
        <translation>enregistrement n°%1</translation>
    </message>
    <message>
        <source>device</source>
        <translation>variateur</translation>
    </message>
    <message>
        <source>page</source>
        <translation>page</translation>
    </message>
    <message>
        <source>sheet</source>
        <translation>fiche</translation>
    </message>
    <message>
        <source>file</source>
        <translation>fichier</translation>
    </message>
    <message>
        <source>history</source>
        <translation>historique</translation>
    </message>
    <message>
        <source>series</source>
        <translation>série</translation>
    </message>
    <message>
        <source>a sheet needs a name</source>
        <translation>une fiche a besoin d&apos;un nom</translation>
    </message>
    <message>
        <source>a sheet name must be UTF-8 text; this one holds bytes that are not</source>
        <translation>un nom de fiche doit être du texte UTF-8 ; celui-ci contient d&apos;autres octets</translation>
    </message>
    <message>
        <source>a sheet name may not hold a tab, line break or other control character</source>
        <translation>un nom de fiche ne peut contenir ni tabulation, ni saut de ligne, ni autre caractère de contrôle</translation>
    </message>
    <message>
        <source>a sheet name may not hold any of : * ? &quot; &lt; &gt; | / \ (Windows file names cannot)</source>
        <translation>un nom de fiche ne peut contenir aucun de : * ? &quot; &lt; &gt; | / \ (les noms de fichiers Windows ne le peuvent pas)</translation>
    </message>
    <message>
        <source>a sheet name may not be only spaces</source>
        <translation>un nom de fiche ne peut pas être fait que d&apos;espaces</translation>
    </message>
    <message>
        <source>a sheet name may not start with a dot</source>
        <translation>un nom de fiche ne peut pas commencer par un point</translation>
    </message>
    <message>
        <source>a sheet name may not end in a dot or a space (Windows drops them from file names)</source>
        <translation>un nom de fiche ne peut pas finir par un point ou une espace (Windows les retire des noms de fichiers)</translation>
    </message>
    <message>
        <source>a sheet name may not be CON, PRN, AUX, NUL, COM1 to COM9 or LPT1 to LPT9, with or without an extension (Windows keeps these names for devices)</source>
        <translation>un nom de fiche ne peut pas être CON, PRN, AUX, NUL, COM1 à COM9 ou LPT1 à LPT9, avec ou sans extension (Windows réserve ces noms aux périphériques)</translation>
    </message>
    <message>
        <source>a sheet name may be at most 100 characters long</source>
        <translation>un nom de fiche fait au plus 100 caractères</translation>
    </message>
    <message>
        <source>the memo holds a line break; a sheet keeps one line</source>
        <translation>le mémo contient un saut de ligne ; une fiche garde une seule ligne</translation>
    </message>
    <message>
        <source>the %1 value holds a line break; a sheet keeps one line</source>
        <translation>la valeur %1 contient un saut de ligne ; une fiche garde une seule ligne</translation>
    </message>
    <message>
        <source>the memo is %1 bytes long; a sheet keeps at most %2 (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)</source>
        <translation>le mémo fait %1 octets ; une fiche en garde au plus %2 (une lettre simple prend 1 octet, une lettre accentuée 2, un caractère japonais 3)</translation>
    </message>
    <message>
        <source>the %1 value is %2 bytes long; a sheet keeps at most %3 (a plain letter takes 1 byte, an accented one 2, a Japanese character 3)</source>
        <translation>la valeur %1 fait %2 octets ; une fiche en garde au plus %3 (une lettre simple prend 1 octet, une lettre accentuée 2, un caractère japonais 3)</translation>
    </message>
    <message>
        <source>The diagnostic log could not be written.</source>
        <translation>Le journal de diagnostic n&apos;a pas pu être enregistré.</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>All Files (*)</source>
        <translation>Tous les fichiers (*)</translation>
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
        <translation>&amp;Oui</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Non</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
</context>
<context>
    <name>SettingName</name>
    <message>
        <source>Operation Mode</source>
        <translation>Mode de marche</translation>
    </message>
    <message>
        <source>Reverse Speed</source>
        <translation>Vitesse arrière</translation>
    </message>
    <message>
        <source>Low Volt Cut</source>
        <translation>Coupure tension</translation>
    </message>
    <message>
        <source>Drag Brake</source>
        <translation>Drag Brake</translation>
    </message>
    <message>
        <source>Initial Brake</source>
        <translation>Frein initial</translation>
    </message>
    <message>
        <source>Full Brake</source>
        <translation>Frein maxi</translation>
    </message>
    <message>
        <source>Brake Frequency</source>
        <translation>Fréq. de frein</translation>
    </message>
    <message>
        <source>Power Profile</source>
        <translation>Power Profile</translation>
    </message>
    <message>
        <source>Drive Frequency</source>
        <translation>Fréq. moteur</translation>
    </message>
    <message>
        <source>Neutral DeadBand</source>
        <translation>Zone neutre</translation>
    </message>
    <message>
        <source>Temp Cut Set</source>
        <translation>Coupure temp.</translation>
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
        <translation>Sens de rotation</translation>
    </message>
    <message>
        <source>Driver</source>
        <translation>Pilote</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Course</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Motor</source>
        <translation>Moteur</translation>
    </message>
    <message>
        <source>Gear Ratio</source>
        <translation>Rapport</translation>
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
        <translation>Piste</translation>
    </message>
    <message>
        <source>Track Type</source>
        <translation>Type de piste</translation>
    </message>
    <message>
        <source>Track Design</source>
        <translation>Tracé</translation>
    </message>
    <message>
        <source>Traction Level</source>
        <translation>Grip</translation>
    </message>
    <message>
        <source>Temp Track</source>
        <translation>Temp. piste</translation>
    </message>
</context>
<context>
    <name>escSetupText</name>
    <message>
        <source>Closing...</source>
        <translation>Fermeture...</translation>
    </message>
    <message>
        <source>SEND SETTING</source>
        <translation>ENVOYER RÉGLAGES</translation>
    </message>
    <message>
        <source>DEFAULT SETTING</source>
        <translation>RÉGLAGES USINE</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Setup Sheet</source>
        <translation>Fiche de setup</translation>
    </message>
    <message>
        <source>Setup comment</source>
        <translation>Note de setup</translation>
    </message>
    <message>
        <source>Settings write</source>
        <translation>Écriture des réglages</translation>
    </message>
</context>
<context>
    <name>fileFilter</name>
    <message>
        <source>config Files (*.cfg)</source>
        <translation>Fichiers de réglages (*.cfg)</translation>
    </message>
    <message>
        <source>Setup card (*.pdf *.png)</source>
        <translation>Carte de setup (*.pdf *.png)</translation>
    </message>
    <message>
        <source>Diagnostic log (*.txt)</source>
        <translation>Journal de diagnostic (*.txt)</translation>
    </message>
</context>
<context>
    <name>firmwareText</name>
    <message>
        <source>Model Name</source>
        <translation>Modèle</translation>
    </message>
    <message>
        <source>Hardware Version</source>
        <translation>Version matérielle</translation>
    </message>
    <message>
        <source>Now Firmware</source>
        <translation>Firmware actuel</translation>
    </message>
    <message>
        <source>Change Firmware</source>
        <translation>Nouveau firmware</translation>
    </message>
    <message>
        <source>ESC: Change Firmware</source>
        <translation>Variateur : nouveau firmware</translation>
    </message>
    <message>
        <source>Program card: Change Firmware</source>
        <translation>Carte de programmation : nouveau firmware</translation>
    </message>
    <message>
        <source>ESC FIRMWARE SAVE</source>
        <translation>INSTALLER LE FIRMWARE DU VARIATEUR</translation>
    </message>
    <message>
        <source>PROGRAM CARD FIRMWARE SAVE</source>
        <translation>INSTALLER LE FIRMWARE DE LA CARTE</translation>
    </message>
    <message>
        <source>ESC firmware update</source>
        <translation>Mise à jour du firmware du variateur</translation>
    </message>
    <message>
        <source>Program card firmware update</source>
        <translation>Mise à jour du firmware de la carte</translation>
    </message>
    <message>
        <source>Firmware information</source>
        <translation>Informations firmware</translation>
    </message>
</context>
<context>
    <name>linksText</name>
    <message>
        <source>ORVEK homepage</source>
        <translation>Site ORVEK</translation>
    </message>
</context>
<context>
    <name>menuText</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Import Settings</source>
        <translation>&amp;Importer les réglages</translation>
    </message>
    <message>
        <source>&amp;Export Settings</source>
        <translation>&amp;Exporter les réglages</translation>
    </message>
    <message>
        <source>Save as Setup &amp;Sheet...</source>
        <translation>Enregistrer comme fiche de &amp;setup...</translation>
    </message>
    <message>
        <source>Export Setup &amp;Card...</source>
        <translation>Exporter la &amp;carte de setup...</translation>
    </message>
    <message>
        <source>Settings &amp;History...</source>
        <translation>&amp;Historique des réglages...</translation>
    </message>
    <message>
        <source>Write Se&amp;ries...</source>
        <translation>Écrire une sé&amp;rie...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Appareil</translation>
    </message>
    <message>
        <source>&amp;Esc</source>
        <translation>&amp;Variateur (ESC)</translation>
    </message>
    <message>
        <source>&amp;Program Card</source>
        <translation>&amp;Carte de programmation</translation>
    </message>
    <message>
        <source>&amp;Fix Mode</source>
        <translation>Mode &amp;Fix</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Language (from the next start)</source>
        <translation>&amp;Langue (au prochain démarrage)</translation>
    </message>
    <message>
        <source>Save &amp;Diagnostic Log...</source>
        <translation>Enregistrer le journal de &amp;diagnostic...</translation>
    </message>
</context>
<context>
    <name>orvek::CEscSetupDlg</name>
    <message>
        <source>Differs from the ESC: SEND SETTING writes it</source>
        <translation>Diffère du variateur : ENVOYER RÉGLAGES l&apos;écrit</translation>
    </message>
</context>
<context>
    <name>orvek::CFirmwareDlg</name>
    <message>
        <source>Ready</source>
        <translation>Prêt</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>The firmware image %1 is damaged:</source>
        <translation>Le fichier firmware %1 est endommagé :</translation>
    </message>
    <message>
        <source>... and %1</source>
        <translation>... et %1</translation>
    </message>
    <message>
        <source>Upload it anyway?</source>
        <translation>L&apos;installer quand même ?</translation>
    </message>
    <message>
        <source>No firmware information: %1 cannot be read.</source>
        <translation>Aucune information firmware : impossible de lire %1.</translation>
    </message>
    <message>
        <source>ESC settings saved to %1</source>
        <translation>Réglages du variateur sauvegardés dans %1</translation>
    </message>
    <message>
        <source>ESC settings NOT saved: cannot write %1</source>
        <translation>Réglages du variateur NON sauvegardés : impossible d&apos;écrire %1</translation>
    </message>
</context>
<context>
    <name>orvek::CHistoryDlg</name>
    <message>
        <source>Settings History</source>
        <translation>Historique des réglages</translation>
    </message>
    <message>
        <source>Show &amp;all models</source>
        <translation>Afficher &amp;tous les modèles</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Source</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Recorded settings</source>
        <translation>Réglages enregistrés</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Réglage</translation>
    </message>
    <message>
        <source>This record</source>
        <translation>Cet enregistrement</translation>
    </message>
    <message>
        <source>On the page</source>
        <translation>Sur la page</translation>
    </message>
    <message>
        <source>The record beside the page</source>
        <translation>L&apos;enregistrement à côté de la page</translation>
    </message>
    <message>
        <source>heat 2, too much punch</source>
        <translation>manche 2, trop de punch</translation>
    </message>
    <message>
        <source>E&amp;xport as .cfg</source>
        <translation>E&amp;xporter en .cfg</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>diffère</translation>
    </message>
    <message>
        <source>Differs from the page</source>
        <translation>Diffère de la page</translation>
    </message>
    <message>
        <source>Not while a firmware update runs.</source>
        <translation>Pas pendant une mise à jour du firmware.</translation>
    </message>
    <message>
        <source>Loaded into the page; SEND SETTING writes it.</source>
        <translation>Chargé dans la page ; ENVOYER RÉGLAGES l&apos;écrit.</translation>
    </message>
    <message>
        <source>Sav&amp;e note</source>
        <translation>&amp;Enregistrer la note</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Enregistré sous %1</translation>
    </message>
    <message>
        <source>(edited)</source>
        <translation>(modifié)</translation>
    </message>
    <message>
        <source>&amp;Note</source>
        <translation>&amp;Note</translation>
    </message>
    <message>
        <source>&amp;Load into the page</source>
        <translation>&amp;Charger dans la page</translation>
    </message>
    <message>
        <source>&amp;Edit note</source>
        <translation>&amp;Modifier la note</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>orvek::CSaveSheetDlg</name>
    <message>
        <source>Save as Setup Sheet</source>
        <translation>Enregistrer comme fiche de setup</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Sheet name</source>
        <translation>Nom de la fiche</translation>
    </message>
    <message>
        <source>Memo</source>
        <translation>Mémo</translation>
    </message>
</context>
<context>
    <name>orvek::CSeriesDlg</name>
    <message>
        <source>unknown model</source>
        <translation>modèle inconnu</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Catégorie</translation>
    </message>
    <message>
        <source>Setup sheet</source>
        <translation>Fiche de setup</translation>
    </message>
    <message>
        <source>Settings file</source>
        <translation>Fichier de réglages</translation>
    </message>
    <message>
        <source>History record</source>
        <translation>Enregistrement de l&apos;historique</translation>
    </message>
</context>
<context>
    <name>orvek::SeriesPanel</name>
    <message>
        <source>1 setting changed</source>
        <translation>1 réglage modifié</translation>
    </message>
    <message>
        <source>%1 settings changed</source>
        <translation>%1 réglages modifiés</translation>
    </message>
    <message>
        <source>ESC %1: %2</source>
        <translation>Variateur %1 : %2</translation>
    </message>
    <message>
        <source>unknown model</source>
        <translation>modèle inconnu</translation>
    </message>
</context>
<context>
    <name>seriesCommandText</name>
    <message>
        <source>Series report (*.csv *.json)</source>
        <translation>Rapport de série (*.csv *.json)</translation>
    </message>
</context>
<context>
    <name>seriesDialogText</name>
    <message>
        <source>Write Series</source>
        <translation>Écrire une série</translation>
    </message>
    <message>
        <source>The settings on the &amp;page</source>
        <translation>Les réglages de la &amp;page</translation>
    </message>
    <message>
        <source>A setup &amp;sheet</source>
        <translation>Une fiche de &amp;setup</translation>
    </message>
    <message>
        <source>A settings &amp;file</source>
        <translation>Un &amp;fichier de réglages</translation>
    </message>
    <message>
        <source>A history &amp;record</source>
        <translation>Un en&amp;registrement de l&apos;historique</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>Pa&amp;rcourir...</translation>
    </message>
    <message>
        <source>Series &amp;name</source>
        <translation>&amp;Nom de la série</translation>
    </message>
    <message>
        <source>Number of &amp;ESCs</source>
        <translation>Nombre de &amp;variateurs</translation>
    </message>
    <message>
        <source>until I end it</source>
        <translation>jusqu&apos;à ce que je l&apos;arrête</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>An ESC has no serial number: the series takes the next ESC once the one before has been unplugged (or powered off) and the new one is identified. The ESC on the line now is the first.</source>
        <translation>Un variateur n&apos;a pas de numéro de série : la série passe au variateur suivant une fois le précédent débranché (ou éteint) et le nouveau reconnu. Le variateur branché maintenant est le premier.</translation>
    </message>
</context>
<context>
    <name>seriesPanelText</name>
    <message>
        <source>WRITE SERIES</source>
        <translation>ÉCRIRE UNE SÉRIE</translation>
    </message>
    <message>
        <source>ESCs of the series</source>
        <translation>Variateurs de la série</translation>
    </message>
    <message>
        <source>Series status</source>
        <translation>État de la série</translation>
    </message>
    <message>
        <source>&amp;End Series</source>
        <translation>&amp;Terminer la série</translation>
    </message>
    <message>
        <source>Save &amp;Report...</source>
        <translation>Enregistrer le &amp;rapport...</translation>
    </message>
    <message>
        <source>C&amp;lose</source>
        <translation>&amp;Fermer</translation>
    </message>
</context>
<context>
    <name>windowText</name>
    <message>
        <source>About Tarnwick Racing ORVEK USB Link V1.1</source>
        <translation>À propos de Tarnwick Racing ORVEK USB Link V1.1</translation>
    </message>
    <message>
        <source>USB connected</source>
        <translation>USB connecté</translation>
    </message>
    <message>
        <source>ESC connected</source>
        <translation>Variateur connecté</translation>
    </message>
    <message>
        <source>Program card connected</source>
        <translation>Carte de programmation connectée</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message>
        <source>Select a device: Device menu, Esc or Program Card</source>
        <translation>Choisissez un appareil : menu Appareil, Variateur ou Carte de programmation</translation>
    </message>
    <message>
        <source>USER SUPPORT</source>
        <translation>ASSISTANCE</translation>
    </message>
    <message>
        <source>ESC SETUP</source>
        <translation>RÉGLAGES VARIATEUR</translation>
    </message>
    <message>
        <source>FIRMWARE</source>
        <translation>FIRMWARE</translation>
    </message>
</context>
</TS>
