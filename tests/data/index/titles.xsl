<?xml version="1.0" encoding="UTF-8"?>
<!-- Lists the titles of the merged index in document order. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:template match="/">
    <html><body><xsl:for-each select="/root/*[1]/*[@t]"><p><xsl:value-of select="@t"/></p></xsl:for-each></body></html>
  </xsl:template>
</xsl:stylesheet>
