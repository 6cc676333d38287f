<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>&amp;Remove</extracomment>
        <translation>제거(&amp;R)</translation>
    </message>
    <message>
        <source>2</source>
        <extracomment>&amp;Select All</extracomment>
        <translation>모두 선택(&amp;S)</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Deselect &amp;All</extracomment>
        <translation>모두 선택 취소(&amp;A)</translation>
    </message>
    <message>
        <source>4</source>
        <extracomment>&amp;Done</extracomment>
        <translation>완료(&amp;D)</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Please select the Kaldo Tendwell content to remove.</extracomment>
        <translation>제거할 Kaldo Tendwell 콘텐츠를 선택하십시오.</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>The Kaldo Tendwell is not installed on this PC.
The uninstall will now exit.</extracomment>
        <translation>이 PC에 Kaldo Tendwell이 설치되어 있지 않습니다.
제거 프로그램을 종료합니다.</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>Kaldo Tendwell Not Installed</extracomment>
        <translation>Kaldo Tendwell이 설치되지 않음</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>The Kaldo Tendwell uninstall has completed.

All Kaldo Tendwell content and software have been removed from this PC.</extracomment>
        <translation>Kaldo Tendwell 제거가 완료되었습니다.

모든 Kaldo Tendwell 콘텐츠와 소프트웨어가 이 PC에서 제거되었습니다.</translation>
    </message>
    <message>
        <source>9</source>
        <extracomment>Kaldo Tendwell Uninstall Complete</extracomment>
        <translation>Kaldo Tendwell 제거 완료</translation>
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
        <translation>Kaldo Tendwell이 현재 실행 중입니다.
Kaldo Tendwell을 종료하십시오.
종료한 후 이 제거 프로그램을 다시 실행하십시오.</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Kaldo Tendwell Currently Running</extracomment>
        <translation>Kaldo Tendwell 실행 중</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>The uninstall cannot tell whether the Kaldo Tendwell is running.
Its lock file in the program folder cannot be read.
Nothing has been removed.</extracomment>
        <translation>제거 프로그램에서 Kaldo Tendwell이 실행 중인지 확인할 수 없습니다.
프로그램 폴더의 잠금 파일을 읽을 수 없습니다.
아무것도 제거되지 않았습니다.</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>These files could not be removed:

%s</extracomment>
        <translation>다음 파일을 제거할 수 없습니다:

%s</translation>
    </message>
</context>
</TS>
