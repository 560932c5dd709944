<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=utf-8">
<title>{s:name.html}</title>
</head>
<body text="#222222" link="#1f3a5f">
<!-- The company sheet of the directory, one company per sheet on the paper chosen in the
     print dialog. Plain text fields are used in their HTML form (the variables ending in
     .html, where < and & arrive as entities); notes, opening hours and imprint are stored as
     HTML and go in through the HTML sanitiser. No cell backgrounds: printed through
     the desktop's print system they cover the page. An anchor named "heading" marks a
     heading that must not end a page. Everything stands in the text's size, so that blank
     lines and line ends are as high in every section. -->
<font size="2">
<table width="100%" border="0" cellspacing="0" cellpadding="0">
<tr>
<td align="left"><font size="1" color="#5a6b7c"><b>Ved Avadirizaziz</b> &middot; Firmenverzeichnis</font></td>
<td align="right"><font size="1" color="#5a6b7c">Firmenblatt vom {s:printDate}</font></td>
</tr>
</table>
<hr size="2" noshade>

<table width="100%" border="0" cellspacing="0" cellpadding="0">
<tr>
<td valign="top" width="70%">
<font size="5" color="#1f3a5f"><b>{s:name.html}</b></font><br>
<font size="2" color="#5a6b7c"><i>{s:sectors.html}</i></font>
</td>
<td valign="top" align="right" width="30%">{s:logoImage}</td>
</tr>
</table>
<br><br>

<table width="100%" border="0" cellspacing="0" cellpadding="0">
<tr>
<td width="48%" valign="top">
<a name="heading"></a><font size="1" color="#1f3a5f"><b>ANSCHRIFT</b></font><br>
<font size="2">
<b>{s:name.html}</b><br>
{s:address.html} {s:housenumber.html}<br>
{s:zipcode.html} {s:city.html}{s:stateLine}
</font>
<br><br>
<a name="heading"></a><font size="1" color="#1f3a5f"><b>GESCHÄFTSFÜHRUNG</b></font><br>
<font size="2">{s:ceo.html}</font>
<br><br>
<a name="heading"></a><font size="1" color="#1f3a5f"><b>WEITERE ANGABEN</b></font><br>
<font size="2">{s:more}</font>
</td>
<td width="4%"></td>
<td width="48%" valign="top">
<a name="heading"></a><font size="1" color="#1f3a5f"><b>KONTAKT</b></font><br>
<font size="2">{s:contact}</font>
<br><br>
<a name="heading"></a><font size="1" color="#1f3a5f"><b>ÖFFNUNGSZEITEN</b></font><br>
<font size="2">{s:openingHours}</font>
</td>
</tr>
</table>
<br><br>
<table width="100%" border="0" cellspacing="0" cellpadding="0">
<tr><td valign="top">
<a name="heading"></a><font size="1" color="#1f3a5f"><b>BESCHREIBUNG</b></font><br>
<font size="2">{s:description.html}</font>
<br><br>
<a name="heading"></a><font size="1" color="#1f3a5f"><b>HINWEISE</b></font><br>
<font size="2">{s:notes}</font>
<br><br>
<a name="heading"></a><font size="1" color="#1f3a5f"><b>IMPRESSUM</b></font><br>
<font size="2">{s:imprint}</font>
</td></tr>
</table>
<hr size="1" noshade>
<font size="1" color="#5a6b7c">Eintrag Nr. {s:id.html} im Firmenverzeichnis Ved Avadirizaziz &middot; gedruckt am {s:printDate} um {i:time} Uhr</font>
</font>
</body>
</html>
