<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en_US">
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
        <translation>Impossibile avviare Kaldo Tendwell.  Reinstallare Tendwell.</translation>
    </message>
    <message>
        <source>103</source>
        <extracomment>The Kaldo Tendwell was unable to access the required data.  Please re-install the Tendwell.</extracomment>
        <translation>Kaldo Tendwell non è riuscito ad accedere ai dati necessari.  Reinstallare Tendwell.</translation>
    </message>
    <message>
        <source>104</source>
        <extracomment>Fatal Error</extracomment>
        <translation>Errore irreversibile</translation>
    </message>
    <message>
        <source>105</source>
        <extracomment>KALDO_TENDWELL_MUTEX</extracomment>
        <translation>KALDO_TENDWELL_MUTEX</translation>
    </message>
    <message>
        <source>106</source>
        <extracomment>Printer Status</extracomment>
        <translation>Stato della stampante</translation>
    </message>
    <message>
        <source>107</source>
        <extracomment>Name</extracomment>
        <translation>Nome</translation>
    </message>
    <message>
        <source>108</source>
        <extracomment>Type</extracomment>
        <translation>Tipo</translation>
    </message>
    <message>
        <source>109</source>
        <extracomment>Location</extracomment>
        <translation>Posizione</translation>
    </message>
    <message>
        <source>110</source>
        <extracomment>Shows the current configuration of the printer.</extracomment>
        <translation>Mostra la configurazione corrente della stampante.</translation>
    </message>
    <message>
        <source>111</source>
        <extracomment>Refresh Status</extracomment>
        <translation>Aggiorna stato</translation>
    </message>
    <message>
        <source>112</source>
        <extracomment>Supplies Status</extracomment>
        <translation>Stato dei materiali di consumo</translation>
    </message>
    <message>
        <source>113</source>
        <extracomment>Kaldo Logo</extracomment>
        <translation>Logo Kaldo</translation>
    </message>
    <message>
        <source>114</source>
        <extracomment>Click here for the latest information on your Kaldo printer.</extracomment>
        <translation>Fare clic qui per le informazioni più recenti sulla stampante Kaldo.</translation>
    </message>
    <message>
        <source>115</source>
        <extracomment>© 2026 Kaldo Corporation. All rights reserved.</extracomment>
        <translation>© 2026 Kaldo Corporation. Tutti i diritti riservati.</translation>
    </message>
    <message>
        <source>116</source>
        <extracomment>Collecting Status</extracomment>
        <translation>Raccolta dello stato in corso</translation>
    </message>
    <message>
        <source>117</source>
        <extracomment>Status Unavailable</extracomment>
        <translation>Stato non disponibile</translation>
    </message>
    <message>
        <source>118</source>
        <extracomment>Enter Keywords</extracomment>
        <translation>Inserire le parole chiave</translation>
    </message>
    <message>
        <source>119</source>
        <extracomment>Index</extracomment>
        <translation>Indice</translation>
    </message>
    <message>
        <source>120</source>
        <extracomment>0 - 9</extracomment>
        <translation>0 - 9</translation>
    </message>
    <message>
        <source>121</source>
        <extracomment>Search Results for: </extracomment>
        <translation>Risultati della ricerca per: </translation>
    </message>
    <message>
        <source>122</source>
        <extracomment>Search Again</extracomment>
        <translation>Nuova ricerca</translation>
    </message>
    <message>
        <source>123</source>
        <extracomment>No Results Found</extracomment>
        <translation>Nessun risultato trovato</translation>
    </message>
    <message>
        <source>124</source>
        <extracomment>Retrieving File</extracomment>
        <translation>Recupero del file</translation>
    </message>
    <message>
        <source>125</source>
        <extracomment>Downloading file from Kaldo web site</extracomment>
        <translation>Download del file dal sito Web Kaldo</translation>
    </message>
    <message>
        <source>126</source>
        <extracomment>Cancel</extracomment>
        <translation>Annulla</translation>
    </message>
    <message>
        <source>127</source>
        <extracomment>IP</extracomment>
        <translation>IP</translation>
    </message>
    <message>
        <source>128</source>
        <extracomment>Search</extracomment>
        <translation>Cerca</translation>
    </message>
    <message>
        <source>129</source>
        <extracomment>Select Printer</extracomment>
        <translation>Seleziona stampante</translation>
    </message>
    <message>
        <source>130</source>
        <extracomment>What's New?</extracomment>
        <translation>Novità</translation>
    </message>
    <message>
        <source>131</source>
        <extracomment>The Kaldo Tendwell was unable to find a printer to load.  Please re-install an appropriate printer driver.</extracomment>
        <translation>Kaldo Tendwell non ha trovato alcuna stampante da caricare.  Reinstallare un driver di stampa appropriato.</translation>
    </message>
    <message>
        <source>132</source>
        <extracomment>Status is not available using a USB connection.</extracomment>
        <translation>Lo stato non è disponibile con una connessione USB.</translation>
    </message>
    <message>
        <source>133</source>
        <extracomment>EN</extracomment>
        <translation>IT</translation>
    </message>
    <message>
        <source>134</source>
        <extracomment>OK</extracomment>
        <translation>OK</translation>
    </message>
    <message>
        <source>135</source>
        <extracomment>Printers and search</extracomment>
        <translation>Stampanti e ricerca</translation>
    </message>
    <message>
        <source>136</source>
        <extracomment>Help</extracomment>
        <translation>Guida</translation>
    </message>
    <message>
        <source>137</source>
        <extracomment>Printer status</extracomment>
        <translation>Stato della stampante</translation>
    </message>
</context>
</TS>
