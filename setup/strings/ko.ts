<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
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
        <translation>취소 확인</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Are you sure you want to cancel the installation?</extracomment>
        <translation>설치를 취소하시겠습니까?</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>Kaldo Tendwell Installation</extracomment>
        <translation>Kaldo Tendwell 설치</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>&amp;Exit</extracomment>
        <translation>종료(&amp;E)</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>&amp;Continue</extracomment>
        <translation>계속(&amp;C)</translation>
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
        <translation>Kaldo Tendwell이 %s용 콘텐츠와 함께 이 PC에 설치됩니다. 다음 정보에 한곳에서 액세스할 수 있습니다.

 * 사용 설명서 및 동영상 자습서
 * 문제 해결 방법
 * 프린터 및 소모품 상태
 * 소모품 주문 및 재활용
 * 자주 묻는 질문에 대한 답변
 * 프린터 드라이버 기본 설정</translation>
    </message>
    <message>
        <source>10</source>
        <extracomment>Unsupported O/S</extracomment>
        <translation>지원되지 않는 OS</translation>
    </message>
    <message>
        <source>11</source>
        <extracomment>The installation of this software is not supported in the current operating system.  The installer will now exit.</extracomment>
        <translation>현재 운영 체제에서는 이 소프트웨어의 설치가 지원되지 않습니다.  설치 프로그램을 종료합니다.</translation>
    </message>
    <message>
        <source>12</source>
        <extracomment>Insufficient Account Privileges Detected</extracomment>
        <translation>계정 권한 부족</translation>
    </message>
    <message>
        <source>13</source>
        <extracomment>You do not appear to have the proper account privileges to run this installation.  The installation can continue, however if the Tendwell is not successfully installed, please log off the machine and then log on with an administrator account.

Would you like to continue the installation?</extracomment>
        <translation>이 설치를 실행하는 데 필요한 계정 권한이 없는 것 같습니다.  설치를 계속할 수는 있지만 Tendwell이 제대로 설치되지 않으면 로그오프한 다음 관리자 계정으로 다시 로그온하십시오.

설치를 계속하시겠습니까?</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Installation Complete</extracomment>
        <translation>설치 완료</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>&amp;Finish</extracomment>
        <translation>마침(&amp;F)</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>The Kaldo Tendwell, along with content for the %s has been installed onto your PC.

To launch the Kaldo Tendwell, please click the link in the Start menu, the Windows desktop, or the printer driver.</extracomment>
        <translation>Kaldo Tendwell이 %s용 콘텐츠와 함께 PC에 설치되었습니다.

Kaldo Tendwell을 시작하려면 시작 메뉴, Windows 바탕 화면 또는 프린터 드라이버의 링크를 클릭하십시오.</translation>
    </message>
    <message>
        <source>17</source>
        <extracomment>&amp;Yes</extracomment>
        <translation>예(&amp;Y)</translation>
    </message>
    <message>
        <source>18</source>
        <extracomment>&amp;No</extracomment>
        <translation>아니요(&amp;N)</translation>
    </message>
    <message>
        <source>19</source>
        <extracomment>Installation Failed!</extracomment>
        <translation>설치 실패!</translation>
    </message>
    <message>
        <source>20</source>
        <extracomment>The Kaldo Tendwell failed to install onto this PC.

Reported message:%s

For additional troubleshooting information, cilck the Kaldo Support Information link.</extracomment>
        <translation>Kaldo Tendwell을 이 PC에 설치하지 못했습니다.

보고된 메시지:%s

문제 해결에 대한 자세한 내용은 Kaldo 지원 정보 링크를 클릭하십시오.</translation>
    </message>
    <message>
        <source>21</source>
        <extracomment>&amp;Close</extracomment>
        <translation>닫기(&amp;C)</translation>
    </message>
    <message>
        <source>22</source>
        <extracomment>Kaldo Support Information</extracomment>
        <translation>Kaldo 지원 정보</translation>
    </message>
    <message>
        <source>23</source>
        <extracomment>Installing Files</extracomment>
        <translation>파일 설치 중</translation>
    </message>
    <message>
        <source>24</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
</context>
</TS>
