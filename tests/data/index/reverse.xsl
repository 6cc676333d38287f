<?xml version="1.0" encoding="UTF-8"?>
<!-- Stands in for the sort: puts the entries of the merged index in reverse order. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" encoding="UTF-8"/>
  <xsl:template match="@*|node()"><xsl:copy><xsl:apply-templates select="@*|node()"/></xsl:copy></xsl:template>
  <xsl:template match="/root/*[1]">
    <xsl:copy><xsl:copy-of select="@*"/><xsl:for-each select="*"><xsl:sort select="position()" data-type="number" order="descending"/><xsl:copy-of select="."/></xsl:for-each></xsl:copy>
  </xsl:template>
</xsl:stylesheet>
