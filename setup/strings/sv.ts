<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="en_US">
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
        <translation>Bekräfta avbrott</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Are you sure you want to cancel the installation?</extracomment>
        <translation>Vill du verkligen avbryta installationen?</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>Kaldo Tendwell Installation</extracomment>
        <translation>Installation av Kaldo Tendwell</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>&amp;Exit</extracomment>
        <translation>&amp;Avsluta</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>&amp;Continue</extracomment>
        <translation>&amp;Fortsätt</translation>
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
        <translation>Kaldo Tendwell installeras på den här datorn tillsammans med innehållet för %s. Det ger en central plats för att komma åt följande information:

 * Användarhandböcker och videosjälvstudier
 * Lösningar på problem
 * Status för skrivare och förbrukningsmaterial
 * Beställning och återvinning av förbrukningsmaterial
 * Svar på vanliga frågor
 * Standardinställningar för skrivardrivrutinen</translation>
    </message>
    <message>
        <source>10</source>
        <extracomment>Unsupported O/S</extracomment>
        <translation>Operativsystemet stöds inte</translation>
    </message>
    <message>
        <source>11</source>
        <extracomment>The installation of this software is not supported in the current operating system.  The installer will now exit.</extracomment>
        <translation>Installation av den här programvaran stöds inte i det aktuella operativsystemet.  Installationsprogrammet avslutas nu.</translation>
    </message>
    <message>
        <source>12</source>
        <extracomment>Insufficient Account Privileges Detected</extracomment>
        <translation>Otillräckliga kontobehörigheter</translation>
    </message>
    <message>
        <source>13</source>
        <extracomment>You do not appear to have the proper account privileges to run this installation.  The installation can continue, however if the Tendwell is not successfully installed, please log off the machine and then log on with an administrator account.

Would you like to continue the installation?</extracomment>
        <translation>Du verkar inte ha rätt kontobehörigheter för att köra den här installationen.  Installationen kan fortsätta, men om Tendwell inte installeras korrekt ska du logga ut från datorn och sedan logga in med ett administratörskonto.

Vill du fortsätta installationen?</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Installation Complete</extracomment>
        <translation>Installationen är klar</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>&amp;Finish</extracomment>
        <translation>&amp;Slutför</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>The Kaldo Tendwell, along with content for the %s has been installed onto your PC.

To launch the Kaldo Tendwell, please click the link in the Start menu, the Windows desktop, or the printer driver.</extracomment>
        <translation>Kaldo Tendwell har installerats på din dator tillsammans med innehållet för %s.

Starta Kaldo Tendwell genom att klicka på länken på Start-menyn, på Windows-skrivbordet eller i skrivardrivrutinen.</translation>
    </message>
    <message>
        <source>17</source>
        <extracomment>&amp;Yes</extracomment>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>18</source>
        <extracomment>&amp;No</extracomment>
        <translation>&amp;Nej</translation>
    </message>
    <message>
        <source>19</source>
        <extracomment>Installation Failed!</extracomment>
        <translation>Installationen misslyckades!</translation>
    </message>
    <message>
        <source>20</source>
        <extracomment>The Kaldo Tendwell failed to install onto this PC.

Reported message:%s

For additional troubleshooting information, cilck the Kaldo Support Information link.</extracomment>
        <translation>Kaldo Tendwell kunde inte installeras på den här datorn.

Rapporterat meddelande:%s

Klicka på länken Kaldo supportinformation för mer felsökningsinformation.</translation>
    </message>
    <message>
        <source>21</source>
        <extracomment>&amp;Close</extracomment>
        <translation>&amp;Stäng</translation>
    </message>
    <message>
        <source>22</source>
        <extracomment>Kaldo Support Information</extracomment>
        <translation>Kaldo supportinformation</translation>
    </message>
    <message>
        <source>23</source>
        <extracomment>Installing Files</extracomment>
        <translation>Installerar filer</translation>
    </message>
    <message>
        <source>24</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
</context>
</TS>
