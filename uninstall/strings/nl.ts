<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>&amp;Remove</extracomment>
        <translation>&amp;Verwijderen</translation>
    </message>
    <message>
        <source>2</source>
        <extracomment>&amp;Select All</extracomment>
        <translation>&amp;Alles selecteren</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Deselect &amp;All</extracomment>
        <translation>Alles &amp;deselecteren</translation>
    </message>
    <message>
        <source>4</source>
        <extracomment>&amp;Done</extracomment>
        <translation>&amp;Gereed</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Please select the Kaldo Tendwell content to remove.</extracomment>
        <translation>Selecteer de Kaldo Tendwell-inhoud die u wilt verwijderen.</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>The Kaldo Tendwell is not installed on this PC.
The uninstall will now exit.</extracomment>
        <translation>Kaldo Tendwell is niet op deze pc geïnstalleerd.
Het verwijderprogramma wordt nu afgesloten.</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>Kaldo Tendwell Not Installed</extracomment>
        <translation>Kaldo Tendwell niet geïnstalleerd</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>The Kaldo Tendwell uninstall has completed.

All Kaldo Tendwell content and software have been removed from this PC.</extracomment>
        <translation>Het verwijderen van Kaldo Tendwell is voltooid.

Alle inhoud en software van Kaldo Tendwell zijn van deze pc verwijderd.</translation>
    </message>
    <message>
        <source>9</source>
        <extracomment>Kaldo Tendwell Uninstall Complete</extracomment>
        <translation>Verwijderen van Kaldo Tendwell voltooid</translation>
    </message>
    <message>
        <source>10</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>11</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>12</source>
        <extracomment>Kaldo Presslane\Kaldo Tendwell</extracomment>
        <translation>Kaldo Presslane\Kaldo Tendwell</translation>
    </message>
    <message>
        <source>13</source>
        <extracomment>The Kaldo Tendwell is currently running.
Please exit the Kaldo Tendwell.
Once closed, please run this uninstall again.</extracomment>
        <translation>Kaldo Tendwell is momenteel actief.
Sluit Kaldo Tendwell af.
Voer dit verwijderprogramma daarna opnieuw uit.</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Kaldo Tendwell Currently Running</extracomment>
        <translation>Kaldo Tendwell is actief</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>The uninstall cannot tell whether the Kaldo Tendwell is running.
Its lock file in the program folder cannot be read.
Nothing has been removed.</extracomment>
        <translation>Het verwijderprogramma kan niet vaststellen of Kaldo Tendwell actief is.
Het vergrendelingsbestand in de programmamap kan niet worden gelezen.
Er is niets verwijderd.</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>These files could not be removed:

%s</extracomment>
        <translation>Deze bestanden konden niet worden verwijderd:

%s</translation>
    </message>
</context>
</TS>
