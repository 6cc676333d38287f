<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR" sourcelanguage="en_US">
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
        <translation>Kaldo Tendwell을 시작할 수 없습니다.  Tendwell을 다시 설치하십시오.</translation>
    </message>
    <message>
        <source>103</source>
        <extracomment>The Kaldo Tendwell was unable to access the required data.  Please re-install the Tendwell.</extracomment>
        <translation>Kaldo Tendwell이 필요한 데이터에 액세스할 수 없습니다.  Tendwell을 다시 설치하십시오.</translation>
    </message>
    <message>
        <source>104</source>
        <extracomment>Fatal Error</extracomment>
        <translation>치명적인 오류</translation>
    </message>
    <message>
        <source>105</source>
        <extracomment>KALDO_TENDWELL_MUTEX</extracomment>
        <translation>KALDO_TENDWELL_MUTEX</translation>
    </message>
    <message>
        <source>106</source>
        <extracomment>Printer Status</extracomment>
        <translation>프린터 상태</translation>
    </message>
    <message>
        <source>107</source>
        <extracomment>Name</extracomment>
        <translation>이름</translation>
    </message>
    <message>
        <source>108</source>
        <extracomment>Type</extracomment>
        <translation>유형</translation>
    </message>
    <message>
        <source>109</source>
        <extracomment>Location</extracomment>
        <translation>위치</translation>
    </message>
    <message>
        <source>110</source>
        <extracomment>Shows the current configuration of the printer.</extracomment>
        <translation>프린터의 현재 구성을 표시합니다.</translation>
    </message>
    <message>
        <source>111</source>
        <extracomment>Refresh Status</extracomment>
        <translation>상태 새로 고침</translation>
    </message>
    <message>
        <source>112</source>
        <extracomment>Supplies Status</extracomment>
        <translation>소모품 상태</translation>
    </message>
    <message>
        <source>113</source>
        <extracomment>Kaldo Logo</extracomment>
        <translation>Kaldo 로고</translation>
    </message>
    <message>
        <source>114</source>
        <extracomment>Click here for the latest information on your Kaldo printer.</extracomment>
        <translation>Kaldo 프린터에 대한 최신 정보를 보려면 여기를 클릭하십시오.</translation>
    </message>
    <message>
        <source>115</source>
        <extracomment>© 2026 Kaldo Corporation. All rights reserved.</extracomment>
        <translation>© 2026 Kaldo Corporation. 모든 권리 보유.</translation>
    </message>
    <message>
        <source>116</source>
        <extracomment>Collecting Status</extracomment>
        <translation>상태 수집 중</translation>
    </message>
    <message>
        <source>117</source>
        <extracomment>Status Unavailable</extracomment>
        <translation>상태를 사용할 수 없음</translation>
    </message>
    <message>
        <source>118</source>
        <extracomment>Enter Keywords</extracomment>
        <translation>키워드 입력</translation>
    </message>
    <message>
        <source>119</source>
        <extracomment>Index</extracomment>
        <translation>색인</translation>
    </message>
    <message>
        <source>120</source>
        <extracomment>0 - 9</extracomment>
        <translation>0 - 9</translation>
    </message>
    <message>
        <source>121</source>
        <extracomment>Search Results for: </extracomment>
        <translation>검색 결과: </translation>
    </message>
    <message>
        <source>122</source>
        <extracomment>Search Again</extracomment>
        <translation>다시 검색</translation>
    </message>
    <message>
        <source>123</source>
        <extracomment>No Results Found</extracomment>
        <translation>검색 결과 없음</translation>
    </message>
    <message>
        <source>124</source>
        <extracomment>Retrieving File</extracomment>
        <translation>파일을 가져오는 중</translation>
    </message>
    <message>
        <source>125</source>
        <extracomment>Downloading file from Kaldo web site</extracomment>
        <translation>Kaldo 웹 사이트에서 파일을 다운로드하는 중</translation>
    </message>
    <message>
        <source>126</source>
        <extracomment>Cancel</extracomment>
        <translation>취소</translation>
    </message>
    <message>
        <source>127</source>
        <extracomment>IP</extracomment>
        <translation>IP</translation>
    </message>
    <message>
        <source>128</source>
        <extracomment>Search</extracomment>
        <translation>검색</translation>
    </message>
    <message>
        <source>129</source>
        <extracomment>Select Printer</extracomment>
        <translation>프린터 선택</translation>
    </message>
    <message>
        <source>130</source>
        <extracomment>What's New?</extracomment>
        <translation>새로운 기능</translation>
    </message>
    <message>
        <source>131</source>
        <extracomment>The Kaldo Tendwell was unable to find a printer to load.  Please re-install an appropriate printer driver.</extracomment>
        <translation>Kaldo Tendwell에서 로드할 프린터를 찾을 수 없습니다.  적절한 프린터 드라이버를 다시 설치하십시오.</translation>
    </message>
    <message>
        <source>132</source>
        <extracomment>Status is not available using a USB connection.</extracomment>
        <translation>USB 연결을 사용할 때는 상태를 확인할 수 없습니다.</translation>
    </message>
    <message>
        <source>133</source>
        <extracomment>EN</extracomment>
        <translation>KO</translation>
    </message>
    <message>
        <source>134</source>
        <extracomment>OK</extracomment>
        <translation>확인</translation>
    </message>
    <message>
        <source>135</source>
        <extracomment>Printers and search</extracomment>
        <translation>프린터 및 검색</translation>
    </message>
    <message>
        <source>136</source>
        <extracomment>Help</extracomment>
        <translation>도움말</translation>
    </message>
    <message>
        <source>137</source>
        <extracomment>Printer status</extracomment>
        <translation>프린터 상태</translation>
    </message>
</context>
</TS>
