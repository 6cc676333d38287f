<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" encoding="UTF-8"/>
  <xsl:template match="/page">
    <page>
      <xsl:for-each select="item">
        <xsl:sort select="."/>
        <item><xsl:value-of select="."/></item>
      </xsl:for-each>
    </page>
  </xsl:template>
</xsl:stylesheet>
