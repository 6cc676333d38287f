<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <translation>Printer Status</translation>
    </message>
    <message>
        <source>2</source>
        <translation>Only in English</translation>
    </message>
    <message>
        <source>3</source>
        <translation>Search Results for: </translation>
    </message>
</context>
</TS>
