<?xml version="1.0" encoding="UTF-8"?>
<!-- Footer pane: the selected printer, its live status, supply and paper levels, and the links
     for refreshing the status, ordering supplies and the update notice. Everything that comes
     from the printer is shown as text. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="common.xsl"/>
  <xsl:output method="html" encoding="UTF-8" indent="no" doctype-system="about:legacy-compat"/>

  <xsl:variable name="info" select="/root/Printer_Status_Info"/>
  <xsl:variable name="dev" select="/root/devicexml"/>
  <xsl:variable name="p" select="$dev/deviceStatus/printer"/>
  <xsl:variable name="cfg" select="$dev/deviceConfiguration/printer"/>
  <!-- Without a document from the printer, the print system's view of the queue. -->
  <xsl:variable name="queue" select="/root/queueStatus"/>
  <xsl:variable name="live" select="string($info/Current_Status_ID) = '0' and boolean($p | $queue)"/>
  <xsl:variable name="state">
    <xsl:choose>
      <xsl:when test="not($live)">unavailable</xsl:when>
      <xsl:when test="$queue and ($queue/state = 'stopped' or $queue/reasons/reason/severity = 'error')">error</xsl:when>
      <xsl:when test="$queue and $queue/reasons/reason[code]">warning</xsl:when>
      <xsl:when test="$queue">ready</xsl:when>
      <xsl:when test="$p/state = 'ready'">ready</xsl:when>
      <xsl:when test="$p/state = 'warning'">warning</xsl:when>
      <xsl:when test="$p/state = 'error'">error</xsl:when>
      <xsl:otherwise>unavailable</xsl:otherwise>
    </xsl:choose>
  </xsl:variable>

  <xsl:template match="/">
    <html lang="en">
      <head>
        <title><xsl:value-of select="$info/Printer_Status"/></title>
        <link rel="stylesheet" href="kaldo.css"/>
      </head>
      <body class="pane-footer">
        <main>
        <xsl:call-template name="status-bar"/>
        <div class="status-main">
          <xsl:call-template name="device"/>
          <xsl:choose>
            <xsl:when test="$live and $queue">
              <xsl:call-template name="queue-levels"/>
            </xsl:when>
            <xsl:when test="$live and string($info/Display_Toner) = '1'">
              <xsl:call-template name="levels"/>
            </xsl:when>
            <xsl:when test="$live">
              <xsl:call-template name="options"/>
            </xsl:when>
            <xsl:when test="string($info/Current_Status_ID) = '1'">
              <div class="waiting"><span class="spinner"></span>Reading the status from the printer&#8230;</div>
            </xsl:when>
            <xsl:otherwise>
              <div class="waiting">
                <xsl:choose>
                  <xsl:when test="string($info/USB_Supported) = '0' and not($info/IPAddress)">
                    Supply levels and alerts are shown for printers connected to the network.
                  </xsl:when>
                  <xsl:otherwise>
                    The printer did not answer. Check that it is switched on and connected, then refresh the status.
                  </xsl:otherwise>
                </xsl:choose>
              </div>
            </xsl:otherwise>
          </xsl:choose>
        </div>
        <div class="footnote">
          <span class="icon icon-logo" role="img" aria-label="Kaldo">
            <xsl:attribute name="title"><xsl:value-of select="$info/Kaldo_Corporate_Logo_Tooltip"/></xsl:attribute>
          </span>
          <span>
            <xsl:call-template name="notice">
              <xsl:with-param name="text" select="string($info/Footer_Text)"/>
            </xsl:call-template>
          </span>
        </div>
        </main>
      </body>
    </html>
  </xsl:template>

  <xsl:template name="status-bar">
    <div class="status-bar">
      <xsl:choose>
        <xsl:when test="$live and string-length($p/icon) &gt; 1">
          <!-- The program keeps the printer's icon below images/, under the path the printer gave. -->
          <img class="status-icon" alt="" src="{concat('images/', substring($p/icon, 2))}"
               onerror="this.onerror = null; this.src = 'images/status/{$state}.png';"/>
        </xsl:when>
        <xsl:when test="string($info/Current_Status_ID) = '1'">
          <span class="icon icon-status-collecting status-icon"></span>
        </xsl:when>
        <xsl:otherwise>
          <span class="icon icon-status-{$state} status-icon"></span>
        </xsl:otherwise>
      </xsl:choose>
      <div>
        <h1 class="status-title"><xsl:value-of select="$info/Printer_Status"/></h1>
        <div>
          <xsl:attribute name="class">
            <xsl:text>status-text </xsl:text>
            <xsl:choose>
              <xsl:when test="$state = 'unavailable'">muted</xsl:when>
              <xsl:otherwise><xsl:value-of select="$state"/></xsl:otherwise>
            </xsl:choose>
          </xsl:attribute>
          <xsl:choose>
            <xsl:when test="$live and $queue">
              <xsl:call-template name="queue-status-text"/>
            </xsl:when>
            <xsl:when test="$live"><xsl:value-of select="$p/statusText"/></xsl:when>
            <xsl:otherwise><xsl:value-of select="$info/Current_Status"/></xsl:otherwise>
          </xsl:choose>
        </div>
      </div>
      <!-- Alerts beside the status text, leaving out the one the status text already says. -->
      <xsl:variable name="others" select="$p/alerts/alert[string(text) != string($p/statusText)]"/>
      <xsl:if test="$live and $others">
        <div class="alert">
          <xsl:attribute name="title">
            <xsl:for-each select="$others">
              <xsl:value-of select="text"/>
              <xsl:if test="position() != last()">; </xsl:if>
            </xsl:for-each>
          </xsl:attribute>
          <xsl:value-of select="$others[1]/text"/>
          <xsl:if test="count($others) &gt; 1">
            <xsl:value-of select="concat(' (+', count($others) - 1, ')')"/>
          </xsl:if>
        </div>
      </xsl:if>
      <div class="status-links">
        <xsl:if test="string($info/Updates_Available) = '1'">
          <a class="news" href="printermodelurl:">
            <xsl:attribute name="title"><xsl:value-of select="$info/Whats_new_Tooltip"/></xsl:attribute>
            <xsl:value-of select="$info/Whats_new_Tooltip"/>
          </a>
        </xsl:if>
        <a href="util-rs:">
          <xsl:attribute name="title"><xsl:value-of select="$info/Refresh_Status_Tooltip"/></xsl:attribute>
          <span class="icon icon-refresh"></span>
          <xsl:value-of select="$info/Refresh_Status_Tooltip"/>
        </a>
        <a href="suppliesurl:">
          <xsl:attribute name="title"><xsl:value-of select="$info/Supplies_Status_Tooltip"/></xsl:attribute>
          <span class="icon icon-supplies"></span>
          <xsl:value-of select="$info/Supplies_Status_Tooltip"/>
        </a>
      </div>
    </div>
  </xsl:template>

  <xsl:template name="device">
    <div class="device">
      <a class="picture" href="pweb:config.html">
        <xsl:attribute name="title"><xsl:value-of select="$info/Printer_Image_ToolTip"/></xsl:attribute>
        <img src="images/caption.png" alt=""/>
      </a>
      <table>
        <tr>
          <th><xsl:value-of select="$info/Name"/></th>
          <td>
            <xsl:call-template name="value-or-dash">
              <xsl:with-param name="value" select="$cfg/name"/>
              <xsl:with-param name="fallback" select="$queue/queue"/>
            </xsl:call-template>
          </td>
        </tr>
        <tr>
          <th><xsl:value-of select="$info/Type"/></th>
          <td>
            <xsl:call-template name="value-or-dash">
              <xsl:with-param name="value" select="$cfg/modelName"/>
              <xsl:with-param name="fallback" select="$queue/model"/>
            </xsl:call-template>
          </td>
        </tr>
        <tr>
          <th><xsl:value-of select="$info/Location"/></th>
          <td>
            <xsl:call-template name="value-or-dash">
              <xsl:with-param name="value" select="$cfg/location"/>
              <xsl:with-param name="fallback" select="$queue/location"/>
            </xsl:call-template>
          </td>
        </tr>
        <tr>
          <th><xsl:value-of select="$info/IPAddressLabel"/></th>
          <td>
            <xsl:call-template name="value-or-dash">
              <xsl:with-param name="value" select="$info/IPAddress"/>
            </xsl:call-template>
          </td>
        </tr>
      </table>
    </div>
  </xsl:template>

  <xsl:template name="value-or-dash">
    <xsl:param name="value"/>
    <xsl:param name="fallback"/>
    <xsl:choose>
      <xsl:when test="string-length(normalize-space($value)) &gt; 0">
        <xsl:attribute name="title"><xsl:value-of select="$value"/></xsl:attribute>
        <xsl:value-of select="$value"/>
      </xsl:when>
      <xsl:when test="string-length(normalize-space($fallback)) &gt; 0">
        <xsl:attribute name="title"><xsl:value-of select="$fallback"/></xsl:attribute>
        <xsl:value-of select="$fallback"/>
      </xsl:when>
      <xsl:otherwise>&#8212;</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="levels">
    <div class="levels">
      <div class="col">
        <h2>Toner</h2>
        <xsl:for-each select="$p/supplies/supply[type = 'toner']">
          <xsl:variable name="pct">
            <xsl:call-template name="percent"><xsl:with-param name="value" select="level"/></xsl:call-template>
          </xsl:variable>
          <xsl:variable name="colour">
            <xsl:choose>
              <xsl:when test="color = 'black' or color = 'cyan' or color = 'magenta' or color = 'yellow'">
                <xsl:value-of select="color"/>
              </xsl:when>
              <xsl:otherwise>black</xsl:otherwise>
            </xsl:choose>
          </xsl:variable>
          <div class="level">
            <xsl:attribute name="title"><xsl:value-of select="name"/></xsl:attribute>
            <span class="name">
              <xsl:choose>
                <xsl:when test="string-length(color) &gt; 0">
                  <xsl:value-of select="concat(translate(substring(color, 1, 1), $lower, $upper), substring(color, 2))"/>
                </xsl:when>
                <xsl:otherwise><xsl:value-of select="name"/></xsl:otherwise>
              </xsl:choose>
            </span>
            <span class="bar"><i class="{$colour}" style="width:{$pct}%"/></span>
            <span class="pct">
              <xsl:if test="number($pct) &lt;= 10">
                <xsl:attribute name="class">pct low</xsl:attribute>
              </xsl:if>
              <xsl:value-of select="$pct"/>%</span>
          </div>
        </xsl:for-each>
      </div>
      <div class="col">
        <h2>Paper</h2>
        <xsl:for-each select="$p/trays/tray">
          <xsl:variable name="pct">
            <xsl:choose>
              <xsl:when test="number(capacity) &gt; 0">
                <xsl:call-template name="percent">
                  <xsl:with-param name="value" select="number(level) * 100 div number(capacity)"/>
                </xsl:call-template>
              </xsl:when>
              <xsl:otherwise>0</xsl:otherwise>
            </xsl:choose>
          </xsl:variable>
          <div class="level">
            <xsl:attribute name="title">
              <xsl:value-of select="concat(name, ': ', media)"/>
            </xsl:attribute>
            <span class="name"><xsl:value-of select="name"/></span>
            <span class="bar"><i class="paper" style="width:{$pct}%"/></span>
            <span class="pct"><xsl:value-of select="$pct"/>%</span>
          </div>
        </xsl:for-each>
      </div>
    </div>
  </xsl:template>

  <!-- The state in the print system's or the printer's words, or in ours when it has none;
       with a problem the content has words for, the most severe one after the state. -->
  <xsl:template name="queue-status-text">
    <xsl:variable name="said" select="$queue/reasons/reason[string-length(text) &gt; 0]"/>
    <xsl:variable name="problem">
      <xsl:choose>
        <xsl:when test="$said[severity = 'error']"><xsl:value-of select="$said[severity = 'error'][1]/text"/></xsl:when>
        <xsl:when test="$said[severity = 'warning']"><xsl:value-of select="$said[severity = 'warning'][1]/text"/></xsl:when>
        <xsl:otherwise><xsl:value-of select="$said[1]/text"/></xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:variable name="word">
      <xsl:choose>
        <xsl:when test="$queue/state = 'processing'">Printing</xsl:when>
        <xsl:when test="$queue/state = 'stopped'">Stopped</xsl:when>
        <xsl:otherwise>Ready</xsl:otherwise>
      </xsl:choose>
    </xsl:variable>
    <xsl:choose>
      <xsl:when test="string-length($problem) &gt; 0">
        <xsl:if test="string-length(normalize-space($queue/stateMessage)) &gt; 0">
          <xsl:attribute name="title"><xsl:value-of select="$queue/stateMessage"/></xsl:attribute>
        </xsl:if>
        <xsl:value-of select="concat($word, ' &#8211; ', $problem)"/>
      </xsl:when>
      <xsl:when test="string-length(normalize-space($queue/stateMessage)) &gt; 0">
        <xsl:value-of select="$queue/stateMessage"/>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$word"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The supplies the print system knows of; their colours come as "#RRGGBB". -->
  <xsl:template name="queue-levels">
    <div class="levels">
      <div class="col">
        <h2>Toner</h2>
        <xsl:for-each select="$queue/markers/marker[level and (type = 'toner' or type = 'ink' or type = 'ink-cartridge' or type = 'toner-cartridge')]">
          <xsl:variable name="pct">
            <xsl:call-template name="percent"><xsl:with-param name="value" select="level"/></xsl:call-template>
          </xsl:variable>
          <xsl:variable name="hex" select="translate(substring(color, 1, 7), $lower, $upper)"/>
          <xsl:variable name="colour">
            <xsl:choose>
              <xsl:when test="$hex = '#00FFFF'">cyan</xsl:when>
              <xsl:when test="$hex = '#FF00FF'">magenta</xsl:when>
              <xsl:when test="$hex = '#FFFF00'">yellow</xsl:when>
              <xsl:otherwise>black</xsl:otherwise>
            </xsl:choose>
          </xsl:variable>
          <div class="level">
            <xsl:attribute name="title"><xsl:value-of select="name"/></xsl:attribute>
            <span class="name"><xsl:value-of select="name"/></span>
            <span class="bar"><i class="{$colour}" style="width:{$pct}%"/></span>
            <span class="pct">
              <xsl:if test="number($pct) &lt;= 10">
                <xsl:attribute name="class">pct low</xsl:attribute>
              </xsl:if>
              <xsl:value-of select="$pct"/>%</span>
          </div>
        </xsl:for-each>
        <xsl:if test="not($queue/markers/marker/level)">
          <div class="queue-note">The print system has no supply levels for this printer yet.</div>
        </xsl:if>
      </div>
      <div class="col">
        <xsl:choose>
          <xsl:when test="$queue/source = 'printer'">
            <h2>Printer</h2>
            <div class="queue-note">Status from the printer itself, asked over the network.</div>
          </xsl:when>
          <xsl:otherwise>
            <h2>Print queue</h2>
            <div class="queue-note">Status from the print queue; the printer has no status page of its own.</div>
          </xsl:otherwise>
        </xsl:choose>
      </div>
    </div>
  </xsl:template>

  <!-- Without supply levels: what is installed in the printer. -->
  <xsl:template name="options">
    <div class="levels">
      <div class="col">
        <h2>Installed options</h2>
        <xsl:for-each select="$cfg/installableOptions/option">
          <div class="level">
            <span class="name" style="width:110px"><xsl:value-of select="type"/></span>
            <span><xsl:value-of select="installed"/></span>
          </div>
        </xsl:for-each>
      </div>
    </div>
  </xsl:template>
</xsl:stylesheet>
