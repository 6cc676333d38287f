<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <translation>Kaldo Tendwell</translation>
    </message>
    <message>
        <source>2</source>
        <translation>Kaldo Presslane\Kaldo Tendwell – Hilfe</translation>
    </message>
</context>
</TS>
