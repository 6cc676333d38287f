<?xml version="1.0" encoding="UTF-8"?>
<!-- Header pane: product title, the printer list (selected printer first) and the search box. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:template match="/">
    <xsl:apply-templates select="printerlist"/>
  </xsl:template>

  <xsl:template match="printerlist">
    <html lang="en">
      <head>
        <title><xsl:value-of select="TitleText_Label"/></title>
        <link rel="stylesheet" href="kaldo.css"/>
      </head>
      <body class="pane-header">
        <main>
        <div class="brand">
          <div class="brand-picture"><img src="images/caption.png" alt=""/></div>
          <div class="brand-text">
            <xsl:if test="number(CaptionText_Width) &gt; 0 and number(CaptionText_Height) &gt; 0">
              <xsl:attribute name="style">
                <xsl:value-of select="concat('width:', number(CaptionText_Width), 'px;height:', number(CaptionText_Height), 'px')"/>
              </xsl:attribute>
            </xsl:if>
            <h1 class="brand-title"><xsl:value-of select="TitleText_Label"/></h1>
            <div class="brand-model"><xsl:value-of select="printer[1]/printermodel"/></div>
          </div>
        </div>
        <div class="printer-choice">
          <label for="printer"><xsl:value-of select="SelectPrinter_Label"/></label>
          <select id="printer" onchange="if (this.value) window.location.href = this.value;">
            <xsl:attribute name="title"><xsl:value-of select="printer[1]/printermodel"/></xsl:attribute>
            <xsl:for-each select="printer">
              <option>
                <xsl:attribute name="value">
                  <xsl:value-of select="action"/>
                  <xsl:call-template name="url-escape">
                    <xsl:with-param name="text" select="printername"/>
                  </xsl:call-template>
                </xsl:attribute>
                <xsl:if test="position() = 1">
                  <xsl:attribute name="selected">selected</xsl:attribute>
                </xsl:if>
                <xsl:value-of select="printername"/>
              </option>
            </xsl:for-each>
          </select>
        </div>
        <div class="search-box" role="search">
          <label for="keywords"><xsl:value-of select="Search_Label"/></label>
          <form method="get">
            <input type="text" id="keywords" name="keywords" value="{Enter_Keywords}"
                   onfocus="if (this.value == this.defaultValue) this.value = '';"
                   onblur="if (this.value == '') this.value = this.defaultValue;"/>
            <button type="submit">
              <xsl:attribute name="title"><xsl:value-of select="Search_Label"/></xsl:attribute>
              <span class="icon icon-search-white"></span>
            </button>
          </form>
        </div>
        </main>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
