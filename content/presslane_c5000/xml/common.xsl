<?xml version="1.0" encoding="UTF-8"?>
<!-- Pieces shared by the page stylesheets of this content folder. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">

  <xsl:variable name="lower" select="'abcdefghijklmnopqrstuvwxyz'"/>
  <xsl:variable name="upper" select="'ABCDEFGHIJKLMNOPQRSTUVWXYZ'"/>

  <!-- The tab strip of the body pane, built from the configuration's TabInfo.
       Tabs are addressed from 1 in links, pages likewise. -->
  <xsl:template name="tabbar">
    <xsl:param name="tabinfo"/>
    <xsl:param name="file"/>
    <nav class="tabs">
      <xsl:for-each select="$tabinfo/Tab">
        <xsl:sort select="number(ID)" data-type="number"/>
        <a href="tab#{number(ID) + 1}">
          <xsl:if test="Page/File = $file">
            <xsl:attribute name="class">active</xsl:attribute>
          </xsl:if>
          <xsl:value-of select="TabName_L10N"/>
        </a>
      </xsl:for-each>
    </nav>
  </xsl:template>

  <!-- Title and page links of the tab that holds $file; single-page tabs show the title only. -->
  <xsl:template name="sidepages">
    <xsl:param name="tabinfo"/>
    <xsl:param name="file"/>
    <xsl:variable name="tab" select="$tabinfo/Tab[Page/File = $file][1]"/>
    <div class="side-title"><xsl:value-of select="$tab/TabName_L10N"/></div>
    <xsl:if test="count($tab/Page) &gt; 1">
      <xsl:for-each select="$tab/Page">
        <xsl:sort select="number(ID)" data-type="number"/>
        <a href="page#{number(ID) + 1}">
          <xsl:attribute name="class">
            <xsl:text>side-link</xsl:text>
            <xsl:if test="File = $file"> active</xsl:if>
          </xsl:attribute>
          <xsl:value-of select="PageName_L10N"/>
        </a>
      </xsl:for-each>
    </xsl:if>
  </xsl:template>

  <xsl:template name="quicklinks">
    <div class="side-box">
      <a href="util-rs:"><span class="icon icon-refresh"></span>Refresh status</a>
      <a href="suppliesurl:"><span class="icon icon-supplies"></span>Order supplies</a>
      <a href="printermodelurl:"><span class="icon icon-web"></span>Product page</a>
    </div>
  </xsl:template>

  <xsl:template name="legend">
    <xsl:param name="legend"/>
    <xsl:if test="$legend/Legend_Item">
      <div class="legend">
        <h2><xsl:value-of select="$legend/Legend_Title_L10N"/></h2>
        <xsl:for-each select="$legend/Legend_Item">
          <div><img src="{Image}" alt=""/><xsl:value-of select="Text_L10N"/></div>
        </xsl:for-each>
      </div>
    </xsl:if>
  </xsl:template>

  <!-- Links to in-program pages must replace the whole body page, also from inside a frame. -->
  <xsl:template name="leaf-target">
    <xsl:param name="link"/>
    <xsl:if test="contains($link, 'tab#') or contains($link, 'page#')">
      <xsl:attribute name="target">_top</xsl:attribute>
    </xsl:if>
  </xsl:template>

  <!-- One index entry or search hit: a term with its own links, and titled sub-entries below it.
       A link leaf is an element without a title; a titled sub-entry holds its leaf as first child.
       A leaf's picture is looked up in the legend by its icon key; tblink is the topic's page
       inside Kaldo Tendwell, level 2 a topic for administrators. Written out in place rather than
       in called templates: a search page runs this for every hit. -->
  <xsl:template name="entry">
    <xsl:param name="legend"/>
    <!-- For a search hit: how well it matches, 0 to 100; the index leaves it out. -->
    <xsl:param name="relevance"/>
    <xsl:variable name="leaves" select="*[not(@t)]"/>
    <xsl:variable name="first" select="$leaves[1]"/>
    <span class="term">
      <xsl:choose>
        <xsl:when test="$first/@l">
          <a href="{$first/@l}">
            <xsl:if test="contains($first/@l, 'tab#') or contains($first/@l, 'page#')">
              <xsl:attribute name="target">_top</xsl:attribute>
            </xsl:if>
            <xsl:for-each select="$legend/Legend_Item[Icon = $first/@icon][1]/Image[1]">
              <img src="{.}" alt=""/>
            </xsl:for-each>
            <xsl:value-of select="@t"/>
          </a>
        </xsl:when>
        <xsl:otherwise><xsl:value-of select="@t"/></xsl:otherwise>
      </xsl:choose>
    </span>
    <xsl:for-each select="$leaves[position() &gt; 1][@l]">
      <a class="more" href="{@l}" title="Another place for this topic">
        <xsl:if test="contains(@l, 'tab#') or contains(@l, 'page#')">
          <xsl:attribute name="target">_top</xsl:attribute>
        </xsl:if>
        <xsl:for-each select="$legend/Legend_Item[Icon = current()/@icon][1]/Image[1]">
          <img src="{.}" alt=""/>
        </xsl:for-each>
      </a>
    </xsl:for-each>
    <xsl:if test="$first/@tblink">
      <a class="more" href="{$first/@tblink}" target="_top">Show page</a>
    </xsl:if>
    <xsl:if test="$first/@level = '2'">
      <xsl:text> </xsl:text><span class="badge">Advanced</span>
    </xsl:if>
    <xsl:if test="string($relevance) != ''">
      <span class="relevance" title="Relevance"><i style="width:{$relevance}%"></i></span>
    </xsl:if>
    <xsl:variable name="subs" select="*[@t]"/>
    <xsl:if test="$subs">
      <!-- A sub-entry shows its picture where it differs from the term's, its badge where the
           term shows none. -->
      <xsl:variable name="firstIcon" select="string($first/@icon)"/>
      <xsl:variable name="anyIcon" select="not($first)"/>
      <xsl:variable name="badge" select="not($first/@level = '2')"/>
      <ul class="subs">
        <xsl:for-each select="$subs">
          <xsl:variable name="leaf" select="*[1]"/>
          <li>
            <xsl:choose>
              <xsl:when test="$leaf/@l">
                <a href="{$leaf/@l}">
                  <xsl:if test="contains($leaf/@l, 'tab#') or contains($leaf/@l, 'page#')">
                    <xsl:attribute name="target">_top</xsl:attribute>
                  </xsl:if>
                  <xsl:if test="$anyIcon or string($leaf/@icon) != $firstIcon">
                    <xsl:for-each select="$legend/Legend_Item[Icon = $leaf/@icon][1]/Image[1]">
                      <img src="{.}" alt=""/>
                    </xsl:for-each>
                  </xsl:if>
                  <xsl:value-of select="@t"/>
                </a>
              </xsl:when>
              <xsl:otherwise><xsl:value-of select="@t"/></xsl:otherwise>
            </xsl:choose>
            <xsl:if test="$leaf/@tblink">
              <a class="more" href="{$leaf/@tblink}" target="_top">Show page</a>
            </xsl:if>
            <xsl:if test="$badge and $leaf/@level = '2'">
              <xsl:text> </xsl:text><span class="badge">Advanced</span>
            </xsl:if>
          </li>
        </xsl:for-each>
      </ul>
    </xsl:if>
  </xsl:template>

  <!-- Printer names go into "sp:" links; the program percent-decodes them again. -->
  <xsl:template name="url-escape">
    <xsl:param name="text"/>
    <xsl:if test="string-length($text) &gt; 0">
      <xsl:variable name="c" select="substring($text, 1, 1)"/>
      <xsl:choose>
        <xsl:when test="$c = '%'">%25</xsl:when>
        <xsl:when test="$c = ' '">%20</xsl:when>
        <xsl:when test="$c = '#'">%23</xsl:when>
        <xsl:when test="$c = '&amp;'">%26</xsl:when>
        <xsl:when test="$c = '?'">%3F</xsl:when>
        <xsl:when test="$c = '+'">%2B</xsl:when>
        <xsl:when test="$c = '&quot;'">%22</xsl:when>
        <xsl:otherwise><xsl:value-of select="$c"/></xsl:otherwise>
      </xsl:choose>
      <xsl:call-template name="url-escape">
        <xsl:with-param name="text" select="substring($text, 2)"/>
      </xsl:call-template>
    </xsl:if>
  </xsl:template>

  <!-- The notice line carries a few numeric character references as plain text; show the characters. -->
  <xsl:template name="notice">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="contains(substring-after($text, '&amp;#'), ';')">
        <xsl:value-of select="substring-before($text, '&amp;#')"/>
        <xsl:variable name="rest" select="substring-after($text, '&amp;#')"/>
        <xsl:variable name="code" select="substring-before($rest, ';')"/>
        <xsl:choose>
          <xsl:when test="$code = '169'">&#169;</xsl:when>
          <xsl:when test="$code = '174'">&#174;</xsl:when>
          <xsl:when test="$code = '8482'">&#8482;</xsl:when>
          <xsl:when test="$code = '160'">&#160;</xsl:when>
          <xsl:when test="$code = '8211'">&#8211;</xsl:when>
          <xsl:otherwise>&amp;#<xsl:value-of select="$code"/>;</xsl:otherwise>
        </xsl:choose>
        <xsl:call-template name="notice">
          <xsl:with-param name="text" select="substring-after($rest, ';')"/>
        </xsl:call-template>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$text"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- A level for a bar: a number from 0 to 100, whatever the printer sent. -->
  <xsl:template name="percent">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="string(number($value)) = 'NaN'">0</xsl:when>
      <xsl:when test="number($value) &lt; 0">0</xsl:when>
      <xsl:when test="number($value) &gt; 100">100</xsl:when>
      <xsl:otherwise><xsl:value-of select="round(number($value))"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- A trouble solution: what happened, the steps, and the links that help further. -->
  <xsl:template name="solution-detail">
    <xsl:param name="solution"/>
    <div class="summary"><xsl:value-of select="$solution/Summary_L10N"/></div>
    <xsl:if test="$solution/Steps/Step_L10N">
      <ol class="steps">
        <xsl:for-each select="$solution/Steps/Step_L10N">
          <li><xsl:value-of select="."/></li>
        </xsl:for-each>
      </ol>
    </xsl:if>
    <xsl:if test="$solution/Links/Link">
      <div class="links">
        <xsl:for-each select="$solution/Links/Link">
          <a href="{Href}">
            <xsl:call-template name="leaf-target"><xsl:with-param name="link" select="Href"/></xsl:call-template>
            <xsl:value-of select="Text_L10N"/>
          </a>
        </xsl:for-each>
      </div>
    </xsl:if>
  </xsl:template>

</xsl:stylesheet>
