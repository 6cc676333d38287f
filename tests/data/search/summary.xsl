<?xml version="1.0" encoding="UTF-8"?>
<!-- A page that tells what it was made from: the search string, the hits, the sort mark. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8"/>
  <xsl:template match="/">
    <html><body>
      <h1><xsl:value-of select="/SearchResults/SearchString"/></h1>
      <p class="hits"><xsl:value-of select="count(/SearchResults/*[@weight])"/></p>
      <p class="sorted"><xsl:value-of select="/SearchResults/@sorted"/></p>
    </body></html>
  </xsl:template>
</xsl:stylesheet>
