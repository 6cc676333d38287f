<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE" sourcelanguage="en_US">
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
        <translation>Kaldo Tendwell kunde inte startas.  Installera om Tendwell.</translation>
    </message>
    <message>
        <source>103</source>
        <extracomment>The Kaldo Tendwell was unable to access the required data.  Please re-install the Tendwell.</extracomment>
        <translation>Kaldo Tendwell kunde inte komma åt nödvändiga data.  Installera om Tendwell.</translation>
    </message>
    <message>
        <source>104</source>
        <extracomment>Fatal Error</extracomment>
        <translation>Allvarligt fel</translation>
    </message>
    <message>
        <source>105</source>
        <extracomment>KALDO_TENDWELL_MUTEX</extracomment>
        <translation>KALDO_TENDWELL_MUTEX</translation>
    </message>
    <message>
        <source>106</source>
        <extracomment>Printer Status</extracomment>
        <translation>Skrivarstatus</translation>
    </message>
    <message>
        <source>107</source>
        <extracomment>Name</extracomment>
        <translation>Namn</translation>
    </message>
    <message>
        <source>108</source>
        <extracomment>Type</extracomment>
        <translation>Typ</translation>
    </message>
    <message>
        <source>109</source>
        <extracomment>Location</extracomment>
        <translation>Plats</translation>
    </message>
    <message>
        <source>110</source>
        <extracomment>Shows the current configuration of the printer.</extracomment>
        <translation>Visar skrivarens aktuella konfiguration.</translation>
    </message>
    <message>
        <source>111</source>
        <extracomment>Refresh Status</extracomment>
        <translation>Uppdatera status</translation>
    </message>
    <message>
        <source>112</source>
        <extracomment>Supplies Status</extracomment>
        <translation>Status för förbrukningsmaterial</translation>
    </message>
    <message>
        <source>113</source>
        <extracomment>Kaldo Logo</extracomment>
        <translation>Kaldo-logotyp</translation>
    </message>
    <message>
        <source>114</source>
        <extracomment>Click here for the latest information on your Kaldo printer.</extracomment>
        <translation>Klicka här för att få den senaste informationen om din Kaldo-skrivare.</translation>
    </message>
    <message>
        <source>115</source>
        <extracomment>© 2026 Kaldo Corporation. All rights reserved.</extracomment>
        <translation>© 2026 Kaldo Corporation. Med ensamrätt.</translation>
    </message>
    <message>
        <source>116</source>
        <extracomment>Collecting Status</extracomment>
        <translation>Hämtar status</translation>
    </message>
    <message>
        <source>117</source>
        <extracomment>Status Unavailable</extracomment>
        <translation>Status är inte tillgänglig</translation>
    </message>
    <message>
        <source>118</source>
        <extracomment>Enter Keywords</extracomment>
        <translation>Ange nyckelord</translation>
    </message>
    <message>
        <source>119</source>
        <extracomment>Index</extracomment>
        <translation>Index</translation>
    </message>
    <message>
        <source>120</source>
        <extracomment>0 - 9</extracomment>
        <translation>0 - 9</translation>
    </message>
    <message>
        <source>121</source>
        <extracomment>Search Results for: </extracomment>
        <translation>Sökresultat för: </translation>
    </message>
    <message>
        <source>122</source>
        <extracomment>Search Again</extracomment>
        <translation>Sök igen</translation>
    </message>
    <message>
        <source>123</source>
        <extracomment>No Results Found</extracomment>
        <translation>Inga resultat hittades</translation>
    </message>
    <message>
        <source>124</source>
        <extracomment>Retrieving File</extracomment>
        <translation>Hämtar fil</translation>
    </message>
    <message>
        <source>125</source>
        <extracomment>Downloading file from Kaldo web site</extracomment>
        <translation>Hämtar fil från Kaldos webbplats</translation>
    </message>
    <message>
        <source>126</source>
        <extracomment>Cancel</extracomment>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>127</source>
        <extracomment>IP</extracomment>
        <translation>IP</translation>
    </message>
    <message>
        <source>128</source>
        <extracomment>Search</extracomment>
        <translation>Sök</translation>
    </message>
    <message>
        <source>129</source>
        <extracomment>Select Printer</extracomment>
        <translation>Välj skrivare</translation>
    </message>
    <message>
        <source>130</source>
        <extracomment>What's New?</extracomment>
        <translation>Nyheter</translation>
    </message>
    <message>
        <source>131</source>
        <extracomment>The Kaldo Tendwell was unable to find a printer to load.  Please re-install an appropriate printer driver.</extracomment>
        <translation>Kaldo Tendwell kunde inte hitta någon skrivare att läsa in.  Installera om en lämplig skrivardrivrutin.</translation>
    </message>
    <message>
        <source>132</source>
        <extracomment>Status is not available using a USB connection.</extracomment>
        <translation>Status är inte tillgänglig via en USB-anslutning.</translation>
    </message>
    <message>
        <source>133</source>
        <extracomment>EN</extracomment>
        <translation>SV</translation>
    </message>
    <message>
        <source>134</source>
        <extracomment>OK</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>135</source>
        <extracomment>Printers and search</extracomment>
        <translation>Skrivare och sökning</translation>
    </message>
    <message>
        <source>136</source>
        <extracomment>Help</extracomment>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>137</source>
        <extracomment>Printer status</extracomment>
        <translation>Skrivarstatus</translation>
    </message>
</context>
</TS>
