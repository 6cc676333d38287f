<?xml version="1.0" encoding="UTF-8"?>
<!-- Well-formed, but the select expression is no XPath. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <html><body><xsl:value-of select="printerlist/printer["/></body></html>
  </xsl:template>
</xsl:stylesheet>
