<?xml version="1.0" encoding="UTF-8"?>
<!-- Troubleshooting, current problem: the solutions for what the printer reports right now. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:key name="alert-by-code" match="printer_xml/devicexml/deviceStatus/printer/alerts/alert" use="code"/>

  <xsl:variable name="page" select="'current_problem.html'"/>
  <xsl:variable name="tabinfo" select="/root/toolbox_xml/TabInfo"/>
  <xsl:variable name="solutions" select="/root/trouble_solution/Solution"/>
  <xsl:variable name="printer" select="/root/printer_xml/devicexml/deviceStatus/printer"/>
  <xsl:variable name="alerts" select="$printer/alerts/alert"/>
  <!-- Without a document from the printer, the print system's state reasons that a solution answers. -->
  <xsl:variable name="queue" select="/root/printer_xml/queueStatus"/>
  <xsl:variable name="reasons" select="$queue/reasons/reason[code]"/>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title>Current problem</title>
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
            <xsl:choose>
              <xsl:when test="$queue and $reasons">
                <xsl:call-template name="queue-problems"/>
              </xsl:when>
              <xsl:when test="$queue">
                <xsl:call-template name="all-well"/>
              </xsl:when>
              <xsl:when test="not($printer)">
                <xsl:call-template name="no-status"/>
              </xsl:when>
              <xsl:when test="$alerts">
                <xsl:call-template name="problems"/>
              </xsl:when>
              <xsl:otherwise>
                <xsl:call-template name="all-well"/>
              </xsl:otherwise>
            </xsl:choose>
          </main>
        </div>
      </body>
    </html>
  </xsl:template>

  <xsl:template name="no-status">
    <div class="problem none">
      <span class="icon icon-status-unavailable"></span>
      <div>
        <h1>The printer's status is not available</h1>
        <div class="detail">Kaldo Tendwell could not read the status of the printer, so it cannot tell what the problem is.
          Refresh the status, or pick the problem from the list of solutions.</div>
        <div class="links" style="margin-top:8px;display:flex;gap:8px">
          <a class="button" href="util-rs:">Refresh status</a>
        </div>
      </div>
    </div>
    <xsl:call-template name="shortcuts"/>
  </xsl:template>

  <xsl:template name="all-well">
    <div class="problem ready">
      <span class="icon icon-status-ready"></span>
      <div>
        <h1>No problems reported</h1>
        <div class="detail">
          <xsl:text>The printer reports: </xsl:text>
          <strong>
            <xsl:choose>
              <xsl:when test="$queue and string-length(normalize-space($queue/stateMessage)) &gt; 0">
                <xsl:value-of select="$queue/stateMessage"/>
              </xsl:when>
              <xsl:when test="$queue">Ready</xsl:when>
              <xsl:otherwise><xsl:value-of select="$printer/statusText"/></xsl:otherwise>
            </xsl:choose>
          </strong>
          <xsl:text>. If something still goes wrong, the solutions below cover the common cases.</xsl:text>
        </div>
      </div>
    </div>
    <xsl:call-template name="shortcuts"/>
  </xsl:template>

  <xsl:template name="shortcuts">
    <ul class="list">
      <li>
        <div class="thumb"><span class="icon icon-support"></span></div>
        <div class="what"><strong>All solutions</strong><span>Paper, toner, covers, connection and more.</span></div>
        <div class="go"><a class="button ghost" href="page#2">Open</a></div>
      </li>
      <li>
        <div class="thumb"><span class="icon icon-quality"></span></div>
        <div class="what"><strong>Print quality</strong><span>Faded print, streaks, smudges.</span></div>
        <div class="go"><a class="button ghost" href="page#3">Open</a></div>
      </li>
      <li>
        <div class="thumb"><span class="icon icon-network"></span></div>
        <div class="what"><strong>Connections</strong><span>Network, USB, wireless and the driver.</span></div>
        <div class="go"><a class="button ghost" href="page#4">Open</a></div>
      </li>
    </ul>
  </xsl:template>

  <!-- One box per distinct alert code, errors before warnings. -->
  <xsl:template name="problems">
    <h1>
      <xsl:choose>
        <xsl:when test="count($alerts) = 1">The printer needs your attention</xsl:when>
        <xsl:otherwise>The printer reports <xsl:value-of select="count($alerts)"/> problems</xsl:otherwise>
      </xsl:choose>
    </h1>
    <xsl:for-each select="$alerts[generate-id() = generate-id(key('alert-by-code', code)[1])]">
      <xsl:sort select="number(severity != 'error')" data-type="number"/>
      <xsl:variable name="code" select="string(code)"/>
      <xsl:variable name="solution" select="$solutions[Code = $code][1]"/>
      <xsl:variable name="severity">
        <xsl:choose>
          <xsl:when test="severity = 'error'">error</xsl:when>
          <xsl:otherwise>warning</xsl:otherwise>
        </xsl:choose>
      </xsl:variable>
      <div class="problem {$severity}">
        <span class="icon icon-status-{$severity}"></span>
        <div class="solution" style="border:0;background:transparent;margin:0;flex:1">
          <h2>
            <xsl:choose>
              <xsl:when test="$solution"><xsl:value-of select="$solution/Title_L10N"/></xsl:when>
              <xsl:otherwise><xsl:value-of select="text"/></xsl:otherwise>
            </xsl:choose>
          </h2>
          <div class="detail" style="margin-bottom:6px">
            <xsl:text>The printer reports: </xsl:text>
            <xsl:for-each select="key('alert-by-code', $code)">
              <strong><xsl:value-of select="text"/></strong>
              <xsl:if test="position() != last()">; </xsl:if>
            </xsl:for-each>
          </div>
          <xsl:choose>
            <xsl:when test="$solution">
              <xsl:call-template name="solution-detail">
                <xsl:with-param name="solution" select="$solution"/>
              </xsl:call-template>
            </xsl:when>
            <xsl:otherwise>
              <div class="summary">Follow the message on the printer's control panel, then refresh the status.</div>
              <div class="links"><a href="util-rs:">Refresh status</a><a href="page#2">All solutions</a></div>
            </xsl:otherwise>
          </xsl:choose>
        </div>
      </div>
    </xsl:for-each>
  </xsl:template>
  <!-- One box per solution that the queue's state reasons call for, errors first. -->
  <xsl:template name="queue-problems">
    <h1>
      <xsl:choose>
        <xsl:when test="count($reasons) = 1">The printer needs your attention</xsl:when>
        <xsl:otherwise>The printer reports <xsl:value-of select="count($reasons)"/> problems</xsl:otherwise>
      </xsl:choose>
    </h1>
    <xsl:for-each select="$reasons">
      <xsl:sort select="number(severity != 'error')" data-type="number"/>
      <xsl:variable name="code" select="string(code)"/>
      <xsl:variable name="solution" select="$solutions[Code = $code][1]"/>
      <xsl:variable name="severity">
        <xsl:choose>
          <xsl:when test="severity = 'error'">error</xsl:when>
          <xsl:otherwise>warning</xsl:otherwise>
        </xsl:choose>
      </xsl:variable>
      <div class="problem {$severity}">
        <span class="icon icon-status-{$severity}"></span>
        <div class="solution" style="border:0;background:transparent;margin:0;flex:1">
          <h2><xsl:value-of select="$solution/Title_L10N"/></h2>
          <xsl:if test="string-length(normalize-space($queue/stateMessage)) &gt; 0">
            <div class="detail" style="margin-bottom:6px">
              <xsl:text>The printer reports: </xsl:text>
              <strong><xsl:value-of select="$queue/stateMessage"/></strong>
            </div>
          </xsl:if>
          <xsl:call-template name="solution-detail">
            <xsl:with-param name="solution" select="$solution"/>
          </xsl:call-template>
        </div>
      </div>
    </xsl:for-each>
  </xsl:template>
</xsl:stylesheet>
