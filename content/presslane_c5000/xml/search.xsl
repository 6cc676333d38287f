<?xml version="1.0" encoding="UTF-8"?>
<!-- Search results page: what was searched, a box to search again, the legend, and a frame with
     the hits. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:variable name="page" select="'search.html'"/>
  <xsl:variable name="content" select="'search_content.html'"/>
  <xsl:variable name="r" select="/SearchResults"/>
  <xsl:variable name="tabinfo" select="$r/TabInfo"/>
  <xsl:variable name="legend" select="$r/Legend"/>
  <xsl:variable name="hits" select="$r/*[@weight]"/>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title><xsl:value-of select="$r/SearchAgainString"/></title>
        <link rel="stylesheet" href="kaldo.css"/>
      </head>
      <body class="pane-body">
        <xsl:call-template name="tabbar">
          <xsl:with-param name="tabinfo" select="$tabinfo"/>
          <xsl:with-param name="file" select="$page"/>
        </xsl:call-template>
        <div class="main">
          <aside class="sidebar">
            <xsl:call-template name="sidepages">
              <xsl:with-param name="tabinfo" select="$tabinfo"/>
              <xsl:with-param name="file" select="$page"/>
            </xsl:call-template>
            <div class="search-again" style="margin-top:12px">
              <form method="get">
                <label for="keywords" class="side-title" style="margin:0"><xsl:value-of select="$r/SearchAgainString"/></label>
                <input type="text" id="keywords" name="keywords" value="{$r/SearchString}"/>
                <button type="submit"><xsl:value-of select="$r/SearchAgainString"/></button>
              </form>
            </div>
            <div style="margin-top:auto">
              <xsl:call-template name="legend">
                <xsl:with-param name="legend" select="$legend"/>
              </xsl:call-template>
            </div>
          </aside>
          <main class="content flush">
            <div class="frame-head">
              <h1>
                <xsl:choose>
                  <xsl:when test="string-length($r/SearchString) &gt; 0">
                    <xsl:value-of select="$r/SearchResultsString"/>
                    <xsl:text>&#8220;</xsl:text>
                    <xsl:value-of select="$r/SearchString"/>
                    <xsl:text>&#8221;</xsl:text>
                  </xsl:when>
                  <xsl:otherwise>Search</xsl:otherwise>
                </xsl:choose>
              </h1>
              <p>
                <xsl:choose>
                  <xsl:when test="string-length($r/SearchString) = 0">Search the guides, videos and pages of Kaldo Tendwell.</xsl:when>
                  <xsl:when test="count($hits) = 1">1 topic found.</xsl:when>
                  <xsl:when test="count($hits) &gt; 1"><xsl:value-of select="count($hits)"/> topics found, the best matches first.</xsl:when>
                  <xsl:otherwise><xsl:value-of select="$r/NoResultsString"/></xsl:otherwise>
                </xsl:choose>
              </p>
            </div>
            <iframe class="pane-frame" name="results" src="{$content}" title="{$r/SearchAgainString}"></iframe>
          </main>
        </div>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
