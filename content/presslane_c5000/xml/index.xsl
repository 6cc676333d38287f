<?xml version="1.0" encoding="UTF-8"?>
<!-- Index tab: the letter chooser and the legend beside a frame that shows the entries. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:variable name="page" select="'index.html'"/>
  <xsl:variable name="content" select="'index_content.html'"/>
  <xsl:variable name="ix" select="/root/*[1]"/>
  <xsl:variable name="tabinfo" select="/root/TabInfo"/>
  <xsl:variable name="legend" select="/root/Legend"/>
  <xsl:variable name="terms" select="$ix/*[@t][not(@isnumber = '1')]"/>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title><xsl:value-of select="$ix/@heading"/></title>
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
            <div class="letters">
              <xsl:choose>
                <xsl:when test="$ix/*[@isnumber = '1']">
                  <a class="wide" href="{$content}#num" target="entries"><xsl:value-of select="$ix/@numerics"/></a>
                </xsl:when>
                <xsl:otherwise>
                  <span class="wide"><xsl:value-of select="$ix/@numerics"/></span>
                </xsl:otherwise>
              </xsl:choose>
              <xsl:call-template name="letters">
                <xsl:with-param name="rest" select="$upper"/>
              </xsl:call-template>
            </div>
            <xsl:call-template name="legend">
              <xsl:with-param name="legend" select="$legend"/>
            </xsl:call-template>
          </aside>
          <main class="content flush">
            <div class="frame-head">
              <h1><xsl:value-of select="$ix/@heading"/></h1>
              <p><xsl:value-of select="count($ix/*[@t])"/> topics from the user guide, the other documents and Kaldo Tendwell itself.</p>
            </div>
            <iframe class="pane-frame" name="entries" src="{$content}" title="{$ix/@heading}"></iframe>
          </main>
        </div>
      </body>
    </html>
  </xsl:template>

  <xsl:template name="letters">
    <xsl:param name="rest"/>
    <xsl:if test="string-length($rest) &gt; 0">
      <xsl:variable name="letter" select="substring($rest, 1, 1)"/>
      <xsl:choose>
        <xsl:when test="$terms[translate(substring(@t, 1, 1), $lower, $upper) = $letter]">
          <a href="{$content}#{$letter}" target="entries"><xsl:value-of select="$letter"/></a>
        </xsl:when>
        <xsl:otherwise>
          <span><xsl:value-of select="$letter"/></span>
        </xsl:otherwise>
      </xsl:choose>
      <xsl:call-template name="letters">
        <xsl:with-param name="rest" select="substring($rest, 2)"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>
</xsl:stylesheet>
