<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>100</source>
        <extracomment>Kaldo_Tendwell</extracomment>
        <translation>Kaldo_Tendwell</translation>
    </message>
    <message>
        <source>101</source>
        <extracomment>Kaldo Tendwell</extracomment>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>102</source>
        <extracomment>The Kaldo Tendwell was unable to start.  Please re-install the Tendwell.</extracomment>
        <translation>Kaldo Tendwell を起動できませんでした。Tendwell を再インストールしてください。</translation>
    </message>
    <message>
        <source>103</source>
        <extracomment>The Kaldo Tendwell was unable to access the required data.  Please re-install the Tendwell.</extracomment>
        <translation>Kaldo Tendwell は必要なデータにアクセスできませんでした。Tendwell を再インストールしてください。</translation>
    </message>
    <message>
        <source>104</source>
        <extracomment>Fatal Error</extracomment>
        <translation>致命的なエラー</translation>
    </message>
    <message>
        <source>105</source>
        <extracomment>KALDO_TENDWELL_MUTEX</extracomment>
        <translation>KALDO_TENDWELL_MUTEX</translation>
    </message>
    <message>
        <source>106</source>
        <extracomment>Printer Status</extracomment>
        <translation>プリンターの状態</translation>
    </message>
    <message>
        <source>107</source>
        <extracomment>Name</extracomment>
        <translation>名前</translation>
    </message>
    <message>
        <source>108</source>
        <extracomment>Type</extracomment>
        <translation>種類</translation>
    </message>
    <message>
        <source>109</source>
        <extracomment>Location</extracomment>
        <translation>場所</translation>
    </message>
    <message>
        <source>110</source>
        <extracomment>Shows the current configuration of the printer.</extracomment>
        <translation>プリンターの現在の設定を表示します。</translation>
    </message>
    <message>
        <source>111</source>
        <extracomment>Refresh Status</extracomment>
        <translation>状態を更新</translation>
    </message>
    <message>
        <source>112</source>
        <extracomment>Supplies Status</extracomment>
        <translation>消耗品の状態</translation>
    </message>
    <message>
        <source>113</source>
        <extracomment>Kaldo Logo</extracomment>
        <translation>Kaldo ロゴ</translation>
    </message>
    <message>
        <source>114</source>
        <extracomment>Click here for the latest information on your Kaldo printer.</extracomment>
        <translation>お使いの Kaldo プリンターの最新情報については、ここをクリックしてください。</translation>
    </message>
    <message>
        <source>115</source>
        <extracomment>© 2026 Kaldo Corporation. All rights reserved.</extracomment>
        <translation>© 2026 Kaldo Corporation. 無断複写・転載を禁じます。</translation>
    </message>
    <message>
        <source>116</source>
        <extracomment>Collecting Status</extracomment>
        <translation>状態を取得しています</translation>
    </message>
    <message>
        <source>117</source>
        <extracomment>Status Unavailable</extracomment>
        <translation>状態を取得できません</translation>
    </message>
    <message>
        <source>118</source>
        <extracomment>Enter Keywords</extracomment>
        <translation>キーワードを入力</translation>
    </message>
    <message>
        <source>119</source>
        <extracomment>Index</extracomment>
        <translation>索引</translation>
    </message>
    <message>
        <source>120</source>
        <extracomment>0 - 9</extracomment>
        <translation>0 - 9</translation>
    </message>
    <message>
        <source>121</source>
        <extracomment>Search Results for: </extracomment>
        <translation>検索結果: </translation>
    </message>
    <message>
        <source>122</source>
        <extracomment>Search Again</extracomment>
        <translation>再検索</translation>
    </message>
    <message>
        <source>123</source>
        <extracomment>No Results Found</extracomment>
        <translation>該当する結果はありません</translation>
    </message>
    <message>
        <source>124</source>
        <extracomment>Retrieving File</extracomment>
        <translation>ファイルを取得しています</translation>
    </message>
    <message>
        <source>125</source>
        <extracomment>Downloading file from Kaldo web site</extracomment>
        <translation>Kaldo の Web サイトからファイルをダウンロードしています</translation>
    </message>
    <message>
        <source>126</source>
        <extracomment>Cancel</extracomment>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>127</source>
        <extracomment>IP</extracomment>
        <translation>IP</translation>
    </message>
    <message>
        <source>128</source>
        <extracomment>Search</extracomment>
        <translation>検索</translation>
    </message>
    <message>
        <source>129</source>
        <extracomment>Select Printer</extracomment>
        <translation>プリンターの選択</translation>
    </message>
    <message>
        <source>130</source>
        <extracomment>What's New?</extracomment>
        <translation>新着情報</translation>
    </message>
    <message>
        <source>131</source>
        <extracomment>The Kaldo Tendwell was unable to find a printer to load.  Please re-install an appropriate printer driver.</extracomment>
        <translation>Kaldo Tendwell は読み込むプリンターを見つけられませんでした。適切なプリンター ドライバーを再インストールしてください。</translation>
    </message>
    <message>
        <source>132</source>
        <extracomment>Status is not available using a USB connection.</extracomment>
        <translation>USB 接続では状態を取得できません。</translation>
    </message>
    <message>
        <source>133</source>
        <extracomment>EN</extracomment>
        <translation>JA</translation>
    </message>
    <message>
        <source>134</source>
        <extracomment>OK</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>135</source>
        <extracomment>Printers and search</extracomment>
        <translation>プリンターと検索</translation>
    </message>
    <message>
        <source>136</source>
        <extracomment>Help</extracomment>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>137</source>
        <extracomment>Printer status</extracomment>
        <translation>プリンターの状態</translation>
    </message>
</context>
</TS>
