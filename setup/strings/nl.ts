<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>2</source>
        <extracomment>Kaldo Presslane\Kaldo Tendwell</extracomment>
        <translation>Kaldo Presslane\Kaldo Tendwell</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>4</source>
        <extracomment>Confirm Cancel</extracomment>
        <translation>Annuleren bevestigen</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Are you sure you want to cancel the installation?</extracomment>
        <translation>Weet u zeker dat u de installatie wilt annuleren?</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>Kaldo Tendwell Installation</extracomment>
        <translation>Installatie van Kaldo Tendwell</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>&amp;Exit</extracomment>
        <translation>&amp;Afsluiten</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>&amp;Continue</extracomment>
        <translation>&amp;Doorgaan</translation>
    </message>
    <message>
        <source>9</source>
        <extracomment>The Kaldo Tendwell, along with content for the %s will be installed onto this PC. It provides a central location for accessing the following information:

 * User manuals and video tutorials
 * Solutions to troubleshooting problems
 * Printer and supplies status
 * Supplies ordering and recycling
 * Answers to frequently asked questions
 * Default printer driver settings</extracomment>
        <translation>Kaldo Tendwell wordt samen met de inhoud voor %s op deze pc geïnstalleerd. Het biedt één centrale plek voor de volgende informatie:

 * Gebruikershandleidingen en instructievideo's
 * Oplossingen voor problemen
 * Status van printer en verbruiksartikelen
 * Bestellen en recyclen van verbruiksartikelen
 * Antwoorden op veelgestelde vragen
 * Standaardinstellingen van het printerstuurprogramma</translation>
    </message>
    <message>
        <source>10</source>
        <extracomment>Unsupported O/S</extracomment>
        <translation>Niet-ondersteund besturingssysteem</translation>
    </message>
    <message>
        <source>11</source>
        <extracomment>The installation of this software is not supported in the current operating system.  The installer will now exit.</extracomment>
        <translation>De installatie van deze software wordt niet ondersteund op het huidige besturingssysteem.  Het installatieprogramma wordt nu afgesloten.</translation>
    </message>
    <message>
        <source>12</source>
        <extracomment>Insufficient Account Privileges Detected</extracomment>
        <translation>Onvoldoende accountrechten gedetecteerd</translation>
    </message>
    <message>
        <source>13</source>
        <extracomment>You do not appear to have the proper account privileges to run this installation.  The installation can continue, however if the Tendwell is not successfully installed, please log off the machine and then log on with an administrator account.

Would you like to continue the installation?</extracomment>
        <translation>U lijkt niet over de juiste accountrechten te beschikken om deze installatie uit te voeren.  De installatie kan doorgaan, maar als Tendwell niet goed wordt geïnstalleerd, meldt u zich af en meldt u zich opnieuw aan met een beheerdersaccount.

Wilt u doorgaan met de installatie?</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Installation Complete</extracomment>
        <translation>Installatie voltooid</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>&amp;Finish</extracomment>
        <translation>&amp;Voltooien</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>The Kaldo Tendwell, along with content for the %s has been installed onto your PC.

To launch the Kaldo Tendwell, please click the link in the Start menu, the Windows desktop, or the printer driver.</extracomment>
        <translation>Kaldo Tendwell is samen met de inhoud voor %s op uw pc geïnstalleerd.

Klik om Kaldo Tendwell te starten op de koppeling in het menu Start, op het Windows-bureaublad of in het printerstuurprogramma.</translation>
    </message>
    <message>
        <source>17</source>
        <extracomment>&amp;Yes</extracomment>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>18</source>
        <extracomment>&amp;No</extracomment>
        <translation>&amp;Nee</translation>
    </message>
    <message>
        <source>19</source>
        <extracomment>Installation Failed!</extracomment>
        <translation>Installatie mislukt!</translation>
    </message>
    <message>
        <source>20</source>
        <extracomment>The Kaldo Tendwell failed to install onto this PC.

Reported message:%s

For additional troubleshooting information, cilck the Kaldo Support Information link.</extracomment>
        <translation>Kaldo Tendwell kon niet op deze pc worden geïnstalleerd.

Gemeld bericht:%s

Klik op de koppeling Kaldo-ondersteuningsinformatie voor meer informatie over het oplossen van problemen.</translation>
    </message>
    <message>
        <source>21</source>
        <extracomment>&amp;Close</extracomment>
        <translation>&amp;Sluiten</translation>
    </message>
    <message>
        <source>22</source>
        <extracomment>Kaldo Support Information</extracomment>
        <translation>Kaldo-ondersteuningsinformatie</translation>
    </message>
    <message>
        <source>23</source>
        <extracomment>Installing Files</extracomment>
        <translation>Bestanden installeren</translation>
    </message>
    <message>
        <source>24</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
</context>
</TS>
