<?xml version="1.0" encoding="UTF-8"?>
<!-- Stops the transformation, so it yields no result. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:template match="/"><xsl:message terminate="yes">stop</xsl:message></xsl:template>
</xsl:stylesheet>
