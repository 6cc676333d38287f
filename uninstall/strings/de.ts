<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>&amp;Remove</extracomment>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>2</source>
        <extracomment>&amp;Select All</extracomment>
        <translation>&amp;Alle auswählen</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Deselect &amp;All</extracomment>
        <translation>Auswahl au&amp;fheben</translation>
    </message>
    <message>
        <source>4</source>
        <extracomment>&amp;Done</extracomment>
        <translation>&amp;Fertig</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Please select the Kaldo Tendwell content to remove.</extracomment>
        <translation>Bitte wählen Sie die Kaldo Tendwell-Inhalte aus, die entfernt werden sollen.</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>The Kaldo Tendwell is not installed on this PC.
The uninstall will now exit.</extracomment>
        <translation>Kaldo Tendwell ist auf diesem PC nicht installiert.
Die Deinstallation wird jetzt beendet.</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>Kaldo Tendwell Not Installed</extracomment>
        <translation>Kaldo Tendwell nicht installiert</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>The Kaldo Tendwell uninstall has completed.

All Kaldo Tendwell content and software have been removed from this PC.</extracomment>
        <translation>Die Deinstallation von Kaldo Tendwell ist abgeschlossen.

Alle Inhalte und die Software von Kaldo Tendwell wurden von diesem PC entfernt.</translation>
    </message>
    <message>
        <source>9</source>
        <extracomment>Kaldo Tendwell Uninstall Complete</extracomment>
        <translation>Deinstallation von Kaldo Tendwell abgeschlossen</translation>
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
        <translation>Kaldo Tendwell wird zurzeit ausgeführt.
Bitte beenden Sie Kaldo Tendwell.
Führen Sie die Deinstallation danach erneut aus.</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Kaldo Tendwell Currently Running</extracomment>
        <translation>Kaldo Tendwell wird ausgeführt</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>The uninstall cannot tell whether the Kaldo Tendwell is running.
Its lock file in the program folder cannot be read.
Nothing has been removed.</extracomment>
        <translation>Die Deinstallation kann nicht feststellen, ob Kaldo Tendwell ausgeführt wird.
Die Sperrdatei im Programmordner kann nicht gelesen werden.
Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>These files could not be removed:

%s</extracomment>
        <translation>Diese Dateien konnten nicht entfernt werden:

%s</translation>
    </message>
</context>
</TS>
