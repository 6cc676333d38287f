<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da_DK" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>&amp;Remove</extracomment>
        <translation>&amp;Fjern</translation>
    </message>
    <message>
        <source>2</source>
        <extracomment>&amp;Select All</extracomment>
        <translation>&amp;Vælg alle</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Deselect &amp;All</extracomment>
        <translation>Fravælg &amp;alle</translation>
    </message>
    <message>
        <source>4</source>
        <extracomment>&amp;Done</extracomment>
        <translation>&amp;Udført</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Please select the Kaldo Tendwell content to remove.</extracomment>
        <translation>Vælg det Kaldo Tendwell-indhold, der skal fjernes.</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>The Kaldo Tendwell is not installed on this PC.
The uninstall will now exit.</extracomment>
        <translation>Kaldo Tendwell er ikke installeret på denne pc.
Afinstallationen afsluttes nu.</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>Kaldo Tendwell Not Installed</extracomment>
        <translation>Kaldo Tendwell er ikke installeret</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>The Kaldo Tendwell uninstall has completed.

All Kaldo Tendwell content and software have been removed from this PC.</extracomment>
        <translation>Afinstallationen af Kaldo Tendwell er fuldført.

Alt indhold og al software fra Kaldo Tendwell er fjernet fra denne pc.</translation>
    </message>
    <message>
        <source>9</source>
        <extracomment>Kaldo Tendwell Uninstall Complete</extracomment>
        <translation>Afinstallation af Kaldo Tendwell fuldført</translation>
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
        <translation>Kaldo Tendwell kører i øjeblikket.
Afslut Kaldo Tendwell.
Kør derefter denne afinstallation igen.</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Kaldo Tendwell Currently Running</extracomment>
        <translation>Kaldo Tendwell kører</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>The uninstall cannot tell whether the Kaldo Tendwell is running.
Its lock file in the program folder cannot be read.
Nothing has been removed.</extracomment>
        <translation>Afinstallationen kan ikke afgøre, om Kaldo Tendwell kører.
Låsefilen i programmappen kan ikke læses.
Intet er blevet fjernet.</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>These files could not be removed:

%s</extracomment>
        <translation>Disse filer kunne ikke fjernes:

%s</translation>
    </message>
</context>
</TS>
