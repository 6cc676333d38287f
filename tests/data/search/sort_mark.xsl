<?xml version="1.0" encoding="UTF-8"?>
<!-- Stands in for the sort: copies the results and marks them as sorted. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" encoding="UTF-8"/>
  <xsl:template match="/SearchResults">
    <xsl:copy><xsl:copy-of select="@*"/><xsl:attribute name="sorted">yes</xsl:attribute><xsl:copy-of select="node()"/></xsl:copy>
  </xsl:template>
</xsl:stylesheet>
