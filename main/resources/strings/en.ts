<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>100</source>
        <translation>Kaldo_Tendwell</translation>
    </message>
    <message>
        <source>101</source>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>102</source>
        <translation>The Kaldo Tendwell was unable to start.  Please re-install the Tendwell.</translation>
    </message>
    <message>
        <source>103</source>
        <translation>The Kaldo Tendwell was unable to access the required data.  Please re-install the Tendwell.</translation>
    </message>
    <message>
        <source>104</source>
        <translation>Fatal Error</translation>
    </message>
    <message>
        <source>105</source>
        <translation>KALDO_TENDWELL_MUTEX</translation>
    </message>
    <message>
        <source>106</source>
        <translation>Printer Status</translation>
    </message>
    <message>
        <source>107</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>108</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>109</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>110</source>
        <translation>Shows the current configuration of the printer.</translation>
    </message>
    <message>
        <source>111</source>
        <translation>Refresh Status</translation>
    </message>
    <message>
        <source>112</source>
        <translation>Supplies Status</translation>
    </message>
    <message>
        <source>113</source>
        <translation>Kaldo Logo</translation>
    </message>
    <message>
        <source>114</source>
        <translation>Click here for the latest information on your Kaldo printer.</translation>
    </message>
    <message>
        <source>115</source>
        <translation>© 2026 Kaldo Corporation. All rights reserved.</translation>
    </message>
    <message>
        <source>116</source>
        <translation>Collecting Status</translation>
    </message>
    <message>
        <source>117</source>
        <translation>Status Unavailable</translation>
    </message>
    <message>
        <source>118</source>
        <translation>Enter Keywords</translation>
    </message>
    <message>
        <source>119</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>120</source>
        <translation>0 - 9</translation>
    </message>
    <message>
        <source>121</source>
        <translation>Search Results for: </translation>
    </message>
    <message>
        <source>122</source>
        <translation>Search Again</translation>
    </message>
    <message>
        <source>123</source>
        <translation>No Results Found</translation>
    </message>
    <message>
        <source>124</source>
        <translation>Retrieving File</translation>
    </message>
    <message>
        <source>125</source>
        <translation>Downloading file from Kaldo web site</translation>
    </message>
    <message>
        <source>126</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>127</source>
        <translation>IP</translation>
    </message>
    <message>
        <source>128</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>129</source>
        <translation>Select Printer</translation>
    </message>
    <message>
        <source>130</source>
        <translation>What's New?</translation>
    </message>
    <message>
        <source>131</source>
        <translation>The Kaldo Tendwell was unable to find a printer to load.  Please re-install an appropriate printer driver.</translation>
    </message>
    <message>
        <source>132</source>
        <translation>Status is not available using a USB connection.</translation>
    </message>
    <message>
        <source>133</source>
        <translation>EN</translation>
    </message>
    <message>
        <source>134</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>135</source>
        <translation>Printers and search</translation>
    </message>
    <message>
        <source>136</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>137</source>
        <translation>Printer status</translation>
    </message>
</context>
</TS>
