<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="en_US">
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
        <translation>确认取消</translation>
    </message>
    <message>
        <source>5</source>
        <extracomment>Are you sure you want to cancel the installation?</extracomment>
        <translation>确实要取消安装吗？</translation>
    </message>
    <message>
        <source>6</source>
        <extracomment>Kaldo Tendwell Installation</extracomment>
        <translation>Kaldo Tendwell 安装</translation>
    </message>
    <message>
        <source>7</source>
        <extracomment>&amp;Exit</extracomment>
        <translation>退出(&amp;E)</translation>
    </message>
    <message>
        <source>8</source>
        <extracomment>&amp;Continue</extracomment>
        <translation>继续(&amp;C)</translation>
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
        <translation>Kaldo Tendwell 以及 %s 的内容将安装到此电脑上。它提供了访问以下信息的集中位置：

 * 用户手册和视频教程
 * 故障排除解决方案
 * 打印机和耗材状态
 * 耗材订购和回收
 * 常见问题解答
 * 打印机驱动程序默认设置</translation>
    </message>
    <message>
        <source>10</source>
        <extracomment>Unsupported O/S</extracomment>
        <translation>不支持的操作系统</translation>
    </message>
    <message>
        <source>11</source>
        <extracomment>The installation of this software is not supported in the current operating system.  The installer will now exit.</extracomment>
        <translation>当前操作系统不支持安装此软件。  安装程序现在将退出。</translation>
    </message>
    <message>
        <source>12</source>
        <extracomment>Insufficient Account Privileges Detected</extracomment>
        <translation>检测到帐户权限不足</translation>
    </message>
    <message>
        <source>13</source>
        <extracomment>You do not appear to have the proper account privileges to run this installation.  The installation can continue, however if the Tendwell is not successfully installed, please log off the machine and then log on with an administrator account.

Would you like to continue the installation?</extracomment>
        <translation>您似乎没有运行此安装所需的帐户权限。  安装可以继续，但如果 Tendwell 未能成功安装，请注销计算机，然后使用管理员帐户登录。

是否继续安装？</translation>
    </message>
    <message>
        <source>14</source>
        <extracomment>Installation Complete</extracomment>
        <translation>安装完成</translation>
    </message>
    <message>
        <source>15</source>
        <extracomment>&amp;Finish</extracomment>
        <translation>完成(&amp;F)</translation>
    </message>
    <message>
        <source>16</source>
        <extracomment>The Kaldo Tendwell, along with content for the %s has been installed onto your PC.

To launch the Kaldo Tendwell, please click the link in the Start menu, the Windows desktop, or the printer driver.</extracomment>
        <translation>Kaldo Tendwell 以及 %s 的内容已安装到您的电脑上。

要启动 Kaldo Tendwell，请单击“开始”菜单、Windows 桌面或打印机驱动程序中的链接。</translation>
    </message>
    <message>
        <source>17</source>
        <extracomment>&amp;Yes</extracomment>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>18</source>
        <extracomment>&amp;No</extracomment>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <source>19</source>
        <extracomment>Installation Failed!</extracomment>
        <translation>安装失败！</translation>
    </message>
    <message>
        <source>20</source>
        <extracomment>The Kaldo Tendwell failed to install onto this PC.

Reported message:%s

For additional troubleshooting information, cilck the Kaldo Support Information link.</extracomment>
        <translation>Kaldo Tendwell 未能安装到此电脑上。

报告的消息：%s

有关其他故障排除信息，请单击“Kaldo 支持信息”链接。</translation>
    </message>
    <message>
        <source>21</source>
        <extracomment>&amp;Close</extracomment>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>22</source>
        <extracomment>Kaldo Support Information</extracomment>
        <translation>Kaldo 支持信息</translation>
    </message>
    <message>
        <source>23</source>
        <extracomment>Installing Files</extracomment>
        <translation>正在安装文件</translation>
    </message>
    <message>
        <source>24</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
</context>
</TS>
