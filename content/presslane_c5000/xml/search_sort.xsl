<?xml version="1.0" encoding="UTF-8"?>
<!-- Orders the hits of the search results (the elements with a weight, as the pages take them)
     by weight, the best first; hits of equal weight keep the index order. Labels, legend and tab
     structure stay as they are. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" encoding="UTF-8" indent="no"/>
  <xsl:strip-space elements="*"/>

  <xsl:template match="/SearchResults">
    <xsl:copy>
      <xsl:copy-of select="@*"/>
      <xsl:copy-of select="SearchString | SearchResultsString | SearchAgainString | NoResultsString"/>
      <xsl:for-each select="*[@weight]">
        <xsl:sort select="@weight" data-type="number" order="descending"/>
        <xsl:copy-of select="."/>
      </xsl:for-each>
      <xsl:copy-of select="Legend | Legend/following-sibling::*"/>
    </xsl:copy>
  </xsl:template>

  <xsl:template match="/*" priority="-1">
    <xsl:copy-of select="."/>
  </xsl:template>
</xsl:stylesheet>
