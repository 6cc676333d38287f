<?xml version="1.0" encoding="UTF-8"?>
<!-- Compiles, then stops every transformation. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/">
    <xsl:message terminate="yes">The index is not ready</xsl:message>
    <html/>
  </xsl:template>
</xsl:stylesheet>
