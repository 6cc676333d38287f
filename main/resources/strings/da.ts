<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="da_DK" sourcelanguage="en_US">
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
        <translation>Kaldo Tendwell kunne ikke starte.  Geninstaller Tendwell.</translation>
    </message>
    <message>
        <source>103</source>
        <extracomment>The Kaldo Tendwell was unable to access the required data.  Please re-install the Tendwell.</extracomment>
        <translation>Kaldo Tendwell kunne ikke få adgang til de nødvendige data.  Geninstaller Tendwell.</translation>
    </message>
    <message>
        <source>104</source>
        <extracomment>Fatal Error</extracomment>
        <translation>Alvorlig fejl</translation>
    </message>
    <message>
        <source>105</source>
        <extracomment>KALDO_TENDWELL_MUTEX</extracomment>
        <translation>KALDO_TENDWELL_MUTEX</translation>
    </message>
    <message>
        <source>106</source>
        <extracomment>Printer Status</extracomment>
        <translation>Printerstatus</translation>
    </message>
    <message>
        <source>107</source>
        <extracomment>Name</extracomment>
        <translation>Navn</translation>
    </message>
    <message>
        <source>108</source>
        <extracomment>Type</extracomment>
        <translation>Type</translation>
    </message>
    <message>
        <source>109</source>
        <extracomment>Location</extracomment>
        <translation>Placering</translation>
    </message>
    <message>
        <source>110</source>
        <extracomment>Shows the current configuration of the printer.</extracomment>
        <translation>Viser printerens aktuelle konfiguration.</translation>
    </message>
    <message>
        <source>111</source>
        <extracomment>Refresh Status</extracomment>
        <translation>Opdater status</translation>
    </message>
    <message>
        <source>112</source>
        <extracomment>Supplies Status</extracomment>
        <translation>Status for forbrugsstoffer</translation>
    </message>
    <message>
        <source>113</source>
        <extracomment>Kaldo Logo</extracomment>
        <translation>Kaldo-logo</translation>
    </message>
    <message>
        <source>114</source>
        <extracomment>Click here for the latest information on your Kaldo printer.</extracomment>
        <translation>Klik her for at få de nyeste oplysninger om din Kaldo-printer.</translation>
    </message>
    <message>
        <source>115</source>
        <extracomment>© 2026 Kaldo Corporation. All rights reserved.</extracomment>
        <translation>© 2026 Kaldo Corporation. Alle rettigheder forbeholdes.</translation>
    </message>
    <message>
        <source>116</source>
        <extracomment>Collecting Status</extracomment>
        <translation>Henter status</translation>
    </message>
    <message>
        <source>117</source>
        <extracomment>Status Unavailable</extracomment>
        <translation>Status er ikke tilgængelig</translation>
    </message>
    <message>
        <source>118</source>
        <extracomment>Enter Keywords</extracomment>
        <translation>Indtast søgeord</translation>
    </message>
    <message>
        <source>119</source>
        <extracomment>Index</extracomment>
        <translation>Indeks</translation>
    </message>
    <message>
        <source>120</source>
        <extracomment>0 - 9</extracomment>
        <translation>0 - 9</translation>
    </message>
    <message>
        <source>121</source>
        <extracomment>Search Results for: </extracomment>
        <translation>Søgeresultater for: </translation>
    </message>
    <message>
        <source>122</source>
        <extracomment>Search Again</extracomment>
        <translation>Søg igen</translation>
    </message>
    <message>
        <source>123</source>
        <extracomment>No Results Found</extracomment>
        <translation>Ingen resultater fundet</translation>
    </message>
    <message>
        <source>124</source>
        <extracomment>Retrieving File</extracomment>
        <translation>Henter fil</translation>
    </message>
    <message>
        <source>125</source>
        <extracomment>Downloading file from Kaldo web site</extracomment>
        <translation>Henter fil fra Kaldos websted</translation>
    </message>
    <message>
        <source>126</source>
        <extracomment>Cancel</extracomment>
        <translation>Annuller</translation>
    </message>
    <message>
        <source>127</source>
        <extracomment>IP</extracomment>
        <translation>IP</translation>
    </message>
    <message>
        <source>128</source>
        <extracomment>Search</extracomment>
        <translation>Søg</translation>
    </message>
    <message>
        <source>129</source>
        <extracomment>Select Printer</extracomment>
        <translation>Vælg printer</translation>
    </message>
    <message>
        <source>130</source>
        <extracomment>What's New?</extracomment>
        <translation>Nyheder</translation>
    </message>
    <message>
        <source>131</source>
        <extracomment>The Kaldo Tendwell was unable to find a printer to load.  Please re-install an appropriate printer driver.</extracomment>
        <translation>Kaldo Tendwell kunne ikke finde en printer at indlæse.  Geninstaller en passende printerdriver.</translation>
    </message>
    <message>
        <source>132</source>
        <extracomment>Status is not available using a USB connection.</extracomment>
        <translation>Status er ikke tilgængelig via en USB-forbindelse.</translation>
    </message>
    <message>
        <source>133</source>
        <extracomment>EN</extracomment>
        <translation>DA</translation>
    </message>
    <message>
        <source>134</source>
        <extracomment>OK</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>135</source>
        <extracomment>Printers and search</extracomment>
        <translation>Printere og søgning</translation>
    </message>
    <message>
        <source>136</source>
        <extracomment>Help</extracomment>
        <translation>Hjælp</translation>
    </message>
    <message>
        <source>137</source>
        <extracomment>Printer status</extracomment>
        <translation>Printerstatus</translation>
    </message>
</context>
</TS>
