<?xml version="1.0" encoding="UTF-8"?>
<!-- Troubleshooting, all solutions; those for what the printer reports now come first and open. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:variable name="page" select="'solutions.html'"/>
  <xsl:variable name="tabinfo" select="/root/toolbox_xml/TabInfo"/>
  <xsl:variable name="codes" select="/root/printer_xml/devicexml/deviceStatus/printer/alerts/alert/code | /root/printer_xml/queueStatus/reasons/reason/code"/>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title>All solutions</title>
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
            <xsl:call-template name="quicklinks"/>
          </aside>
          <main class="content">
            <h1>All solutions</h1>
            <p class="lead">Pick the problem you see. Problems that the printer reports right now are marked.</p>
            <xsl:apply-templates select="/root/trouble_solution/Solution[Code = $codes]"/>
            <xsl:apply-templates select="/root/trouble_solution/Solution[not(Code = $codes)]"/>
          </main>
        </div>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="Solution">
    <xsl:variable name="now" select="Code = $codes"/>
    <details class="solution">
      <xsl:if test="$now">
        <xsl:attribute name="open">open</xsl:attribute>
      </xsl:if>
      <summary>
        <span>
          <xsl:attribute name="class">
            <xsl:text>sev</xsl:text>
            <xsl:if test="Severity = 'error'"> error</xsl:if>
            <xsl:if test="Severity = 'warning'"> warning</xsl:if>
          </xsl:attribute>
        </span>
        <xsl:value-of select="Title_L10N"/>
        <xsl:if test="$now">
          <xsl:text> </xsl:text><span class="badge">Reported now</span>
        </xsl:if>
      </summary>
      <div class="body">
        <xsl:call-template name="solution-detail">
          <xsl:with-param name="solution" select="."/>
        </xsl:call-template>
      </div>
    </details>
  </xsl:template>
</xsl:stylesheet>
