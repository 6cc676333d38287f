<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
<context>
    <name>Strings</name>
    <message>
        <source>1</source>
        <extracomment>Printer Status</extracomment>
        <translation>État de l&apos;imprimante</translation>
    </message>
    <message>
        <source>3</source>
        <extracomment>Search Results for: </extracomment>
        <translation>Résultats de la recherche pour : </translation>
    </message>
</context>
</TS>
