<?xml version="1.0" encoding="UTF-8"?>
<!-- The entries of the index, grouped by their first letter; titles that begin with a digit
     come first, under the numerics heading. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:key name="by-letter" match="WebWorksHelpIX/*[@t][not(@isnumber = '1')]"
           use="translate(substring(@t, 1, 1), 'abcdefghijklmnopqrstuvwxyz', 'ABCDEFGHIJKLMNOPQRSTUVWXYZ')"/>

  <xsl:variable name="ix" select="/root/*[1]"/>
  <xsl:variable name="legend" select="/root/Legend"/>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title><xsl:value-of select="$ix/@heading"/></title>
        <link rel="stylesheet" href="kaldo.css"/>
      </head>
      <body class="pane-frame">
        <main>
        <h1 class="visually-hidden"><xsl:value-of select="$ix/@heading"/></h1>
        <xsl:if test="not($ix/*[@t])">
          <div class="empty"><h2>The index is empty.</h2></div>
        </xsl:if>
        <xsl:if test="$ix/*[@t][@isnumber = '1']">
          <div class="group" id="num">
            <h2><xsl:value-of select="$ix/@numerics"/></h2>
            <div class="group-body">
            <xsl:for-each select="$ix/*[@t][@isnumber = '1']">
              <xsl:sort select="translate(@t, $lower, $upper)"/>
              <div class="entry">
                <xsl:call-template name="entry">
                  <xsl:with-param name="legend" select="$legend"/>
                </xsl:call-template>
              </div>
            </xsl:for-each>
            </div>
          </div>
        </xsl:if>
        <xsl:for-each select="$ix/*[@t][not(@isnumber = '1')][generate-id() = generate-id(key('by-letter', translate(substring(@t, 1, 1), $lower, $upper))[1])]">
          <xsl:sort select="translate(substring(@t, 1, 1), $lower, $upper)"/>
          <xsl:variable name="letter" select="translate(substring(@t, 1, 1), $lower, $upper)"/>
          <div class="group" id="{$letter}">
            <h2><xsl:value-of select="$letter"/></h2>
            <div class="group-body">
            <xsl:for-each select="key('by-letter', $letter)">
              <xsl:sort select="translate(@t, $lower, $upper)"/>
              <div class="entry">
                <xsl:call-template name="entry">
                  <xsl:with-param name="legend" select="$legend"/>
                </xsl:call-template>
              </div>
            </xsl:for-each>
            </div>
          </div>
        </xsl:for-each>
        </main>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
