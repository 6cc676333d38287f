<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
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
        <translation>キャンセルの確認</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Are you sure you want to cancel the installation?</extracomment>
        <translation>インストールをキャンセルしてもよろしいですか?</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>Kaldo Tendwell Installation</extracomment>
        <translation>Kaldo Tendwell のインストール</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>&amp;Exit</extracomment>
        <translation>終了(&amp;E)</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>&amp;Continue</extracomment>
        <translation>続行(&amp;C)</translation>
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
        <translation>Kaldo Tendwell と %s 用のコンテンツをこの PC にインストールします。次の情報にまとめてアクセスできます:

 * ユーザー マニュアルとビデオ チュートリアル
 * トラブルシューティングの解決策
 * プリンターとサプライ品の状態
 * サプライ品の注文とリサイクル
 * よくある質問への回答
 * プリンター ドライバーの既定の設定</translation>
    </message>
    <message>
        <source>10</source>
        <extracomment>Unsupported O/S</extracomment>
        <translation>サポートされていない OS</translation>
    </message>
    <message>
        <source>11</source>
        <extracomment>The installation of this software is not supported in the current operating system.  The installer will now exit.</extracomment>
        <translation>このソフトウェアのインストールは、現在のオペレーティング システムではサポートされていません。  インストーラーを終了します。</translation>
    </message>
    <message>
        <source>12</source>
        <extracomment>Insufficient Account Privileges Detected</extracomment>
        <translation>アカウントの権限が不足しています</translation>
    </message>
    <message>
        <source>13</source>
        <extracomment>You do not appear to have the proper account privileges to run this installation.  The installation can continue, however if the Tendwell is not successfully installed, please log off the machine and then log on with an administrator account.

Would you like to continue the installation?</extracomment>
        <translation>このインストールを実行するための適切なアカウント権限がないようです。  インストールを続行することはできますが、Tendwell が正しくインストールされなかった場合は、いったんログオフし、管理者アカウントでログオンし直してください。

インストールを続行しますか?</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Installation Complete</extracomment>
        <translation>インストールの完了</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>&amp;Finish</extracomment>
        <translation>完了(&amp;F)</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>The Kaldo Tendwell, along with content for the %s has been installed onto your PC.

To launch the Kaldo Tendwell, please click the link in the Start menu, the Windows desktop, or the printer driver.</extracomment>
        <translation>Kaldo Tendwell と %s 用のコンテンツがこの PC にインストールされました。

Kaldo Tendwell を起動するには、スタート メニュー、Windows デスクトップ、またはプリンター ドライバーのリンクをクリックしてください。</translation>
    </message>
    <message>
        <source>17</source>
        <extracomment>&amp;Yes</extracomment>
        <translation>はい(&amp;Y)</translation>
    </message>
    <message>
        <source>18</source>
        <extracomment>&amp;No</extracomment>
        <translation>いいえ(&amp;N)</translation>
    </message>
    <message>
        <source>19</source>
        <extracomment>Installation Failed!</extracomment>
        <translation>インストールに失敗しました!</translation>
    </message>
    <message>
        <source>20</source>
        <extracomment>The Kaldo Tendwell failed to install onto this PC.

Reported message:%s

For additional troubleshooting information, cilck the Kaldo Support Information link.</extracomment>
        <translation>Kaldo Tendwell をこの PC にインストールできませんでした。

報告されたメッセージ:%s

トラブルシューティングの詳細については、[Kaldo サポート情報] リンクをクリックしてください。</translation>
    </message>
    <message>
        <source>21</source>
        <extracomment>&amp;Close</extracomment>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>22</source>
        <extracomment>Kaldo Support Information</extracomment>
        <translation>Kaldo サポート情報</translation>
    </message>
    <message>
        <source>23</source>
        <extracomment>Installing Files</extracomment>
        <translation>ファイルをインストールしています</translation>
    </message>
    <message>
        <source>24</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
</context>
</TS>
