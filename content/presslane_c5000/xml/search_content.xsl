<?xml version="1.0" encoding="UTF-8"?>
<!-- The best hits of a search, best first, with a bar for how well each one matches. The
     results come sorted; a search that finds more than a page can show says how many it found. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:variable name="r" select="/SearchResults"/>
  <xsl:variable name="legend" select="$r/Legend"/>
  <xsl:variable name="hits" select="$r/*[@weight]"/>
  <xsl:variable name="shown" select="50"/>
  <!-- The results come sorted, so the first hit matches best. -->
  <xsl:variable name="best" select="number($hits[1]/@weight)"/>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title><xsl:value-of select="$r/SearchAgainString"/></title>
        <link rel="stylesheet" href="kaldo.css"/>
      </head>
      <body class="pane-frame">
        <main>
        <h1 class="visually-hidden"><xsl:value-of select="$r/SearchAgainString"/></h1>
        <xsl:choose>
          <xsl:when test="string-length($r/SearchString) = 0">
            <div class="empty">
              <span class="icon icon-search"></span>
              <h2>Type a word in the search box</h2>
              <p>For example <a href="util-search:paper%20jam">paper jam</a>, <a href="util-search:toner">toner</a>
                or <a href="util-search:wireless">wireless</a>.</p>
            </div>
          </xsl:when>
          <xsl:when test="not($hits)">
            <div class="empty">
              <span class="icon icon-search"></span>
              <h2><xsl:value-of select="$r/NoResultsString"/></h2>
              <p>Check the spelling or try a more general word. You can also browse the
                <a href="tab#4" target="_top">index</a> or the <a href="tab#3page#2" target="_top">solutions</a>.</p>
            </div>
          </xsl:when>
          <xsl:otherwise>
            <xsl:if test="count($hits) &gt; $shown">
              <p class="note"><xsl:value-of select="count($hits)"/> hits; the <xsl:value-of select="$shown"/> that match
                best are shown. The <a href="tab#4" target="_top">index</a> lists every topic.</p>
            </xsl:if>
            <xsl:for-each select="$hits[position() &lt;= $shown]">
              <div class="hit">
                <xsl:call-template name="entry">
                  <xsl:with-param name="legend" select="$legend"/>
                  <xsl:with-param name="relevance" select="round(number(@weight) * 100 div number($best))"/>
                </xsl:call-template>
              </div>
            </xsl:for-each>
          </xsl:otherwise>
        </xsl:choose>
        </main>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
