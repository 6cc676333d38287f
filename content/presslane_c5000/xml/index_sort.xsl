<?xml version="1.0" encoding="UTF-8"?>
<!-- Sorts the merged index in place: entries of the same title from the three index files become
     one entry, entries are ordered by title without regard to case, sub-entries likewise. The
     configuration sections after the index are kept as they are. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="xml" encoding="UTF-8" indent="no"/>
  <xsl:strip-space elements="*"/>

  <xsl:variable name="lower" select="'abcdefghijklmnopqrstuvwxyz'"/>
  <xsl:variable name="upper" select="'ABCDEFGHIJKLMNOPQRSTUVWXYZ'"/>

  <xsl:key name="by-title" match="WebWorksHelpIX/*[@t]" use="@t"/>

  <xsl:template match="@*|node()">
    <xsl:copy>
      <xsl:apply-templates select="@*|node()"/>
    </xsl:copy>
  </xsl:template>

  <xsl:template match="WebWorksHelpIX">
    <xsl:copy>
      <xsl:copy-of select="@*"/>
      <xsl:for-each select="*[@t][generate-id() = generate-id(key('by-title', @t)[1])]">
        <xsl:sort select="translate(@t, $lower, $upper)"/>
        <xsl:sort select="@t"/>
        <xsl:variable name="same" select="key('by-title', @t)"/>
        <xsl:copy>
          <xsl:copy-of select="@*"/>
          <xsl:copy-of select="$same/*[not(@t)]"/>
          <xsl:for-each select="$same/*[@t]">
            <xsl:sort select="translate(@t, $lower, $upper)"/>
            <xsl:sort select="@t"/>
            <xsl:copy-of select="."/>
          </xsl:for-each>
        </xsl:copy>
      </xsl:for-each>
      <xsl:copy-of select="*[not(@t)]"/>
    </xsl:copy>
  </xsl:template>
</xsl:stylesheet>
