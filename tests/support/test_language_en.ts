<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>MessageCatalogue</name>
    <message>
        <source>10001</source>
        <translation>Test 10001</translation>
    </message>
    <message>
        <source>10002</source>
        <translation>Test 10002</translation>
    </message>
    <message>
        <source>10003</source>
        <translation>Test 10003</translation>
    </message>
    <message>
        <source>10004</source>
        <translation>Test 10004</translation>
    </message>
    <message>
        <source>10005</source>
        <translation>абвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзийабвгдежзий</translation>
    </message>
    <message>
        <source>10006</source>
        <translation>Test 10006</translation>
    </message>
    <message>
        <source>10007</source>
        <translation>Test 10007</translation>
    </message>
    <message>
        <source>10008</source>
        <translation>Test 10008</translation>
    </message>
    <message>
        <source>10009</source>
        <translation>Test 10009</translation>
    </message>
    <message>
        <source>10010</source>
        <translation>Test 10010</translation>
    </message>
    <message>
        <source>10011</source>
        <translation>Test 10011</translation>
    </message>
    <message>
        <source>10012</source>
        <translation>Test 10012</translation>
    </message>
    <message>
        <source>10013</source>
        <translation>Test 10013</translation>
    </message>
    <message>
        <source>10014</source>
        <translation>Test 10014</translation>
    </message>
    <message>
        <source>10015</source>
        <translation>Test 10015</translation>
    </message>
    <message>
        <source>10016</source>
        <translation>Test 10016</translation>
    </message>
    <message>
        <source>10017</source>
        <translation>Test 10017</translation>
    </message>
    <message>
        <source>10018</source>
        <translation>Test 10018</translation>
    </message>
    <message>
        <source>10019</source>
        <translation>Test 10019</translation>
    </message>
    <message>
        <source>10020</source>
        <translation>Test 10020</translation>
    </message>
    <message>
        <source>10021</source>
        <translation>Test 10021</translation>
    </message>
    <message>
        <source>10022</source>
        <translation>Test 10022</translation>
    </message>
    <message>
        <source>10023</source>
        <translation>Test 10023</translation>
    </message>
    <message>
        <source>10024</source>
        <translation>Test 10024</translation>
    </message>
    <message>
        <source>10025</source>
        <translation>Test 10025</translation>
    </message>
    <message>
        <source>10026</source>
        <translation>Test 10026</translation>
    </message>
    <message>
        <source>10027</source>
        <translation>Test 10027</translation>
    </message>
    <message>
        <source>10028</source>
        <translation>Test 10028</translation>
    </message>
    <message>
        <source>10029</source>
        <translation>Test 10029</translation>
    </message>
    <message>
        <source>10030</source>
        <translation>Test 10030</translation>
    </message>
    <message>
        <source>10032</source>
        <translation>Test 10032</translation>
    </message>
    <message>
        <source>10033</source>
        <translation>Test 10033</translation>
    </message>
    <message>
        <source>10034</source>
        <translation>Test 10034</translation>
    </message>
    <message>
        <source>10035</source>
        <translation>Test 10035</translation>
    </message>
    <message>
        <source>10036</source>
        <translation>Test 10036</translation>
    </message>
    <message>
        <source>10037</source>
        <translation>Test 10037</translation>
    </message>
    <message>
        <source>10038</source>
        <translation>Test 10038</translation>
    </message>
    <message>
        <source>10039</source>
        <translation>Test 10039</translation>
    </message>
    <message>
        <source>10040</source>
        <translation>Test 10040</translation>
    </message>
</context>
<context>
    <name>TAboutBox</name>
    <message>
        <source>О программе</source>
        <translation>About (test)</translation>
    </message>
</context>
</TS>
