<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>&amp;Remove</extracomment>
        <translation>&amp;Remove</translation>
    </message>
    <message>
        <source>2</source>
        <extracomment>&amp;Select All</extracomment>
        <translation>&amp;Select All</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Deselect &amp;All</extracomment>
        <translation>Deselect &amp;All</translation>
    </message>
    <message>
        <source>4</source>
        <extracomment>&amp;Done</extracomment>
        <translation>&amp;Done</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Please select the Kaldo Tendwell content to remove.</extracomment>
        <translation>Please select the Kaldo Tendwell content to remove.</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>The Kaldo Tendwell is not installed on this PC.
The uninstall will now exit.</extracomment>
        <translation>The Kaldo Tendwell is not installed on this PC.
The uninstall will now exit.</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>Kaldo Tendwell Not Installed</extracomment>
        <translation>Kaldo Tendwell Not Installed</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>The Kaldo Tendwell uninstall has completed.

All Kaldo Tendwell content and software have been removed from this PC.</extracomment>
        <translation>The Kaldo Tendwell uninstall has completed.

All Kaldo Tendwell content and software have been removed from this PC.</translation>
    </message>
    <message>
        <source>9</source>
        <extracomment>Kaldo Tendwell Uninstall Complete</extracomment>
        <translation>Kaldo Tendwell Uninstall Complete</translation>
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
        <translation>The Kaldo Tendwell is currently running.
Please exit the Kaldo Tendwell.
Once closed, please run this uninstall again.</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Kaldo Tendwell Currently Running</extracomment>
        <translation>Kaldo Tendwell Currently Running</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>The uninstall cannot tell whether the Kaldo Tendwell is running.
Its lock file in the program folder cannot be read.
Nothing has been removed.</extracomment>
        <translation>The uninstall cannot tell whether the Kaldo Tendwell is running.
Its lock file in the program folder cannot be read.
Nothing has been removed.</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>These files could not be removed:

%s</extracomment>
        <translation>These files could not be removed:

%s</translation>
    </message>
</context>
</TS>
