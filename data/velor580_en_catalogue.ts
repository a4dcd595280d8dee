<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>MessageCatalogue</name>
    <message>
        <source>10001</source>
        <translation>Error!</translation>
    </message>
    <message>
        <source>10002</source>
        <translation>Error opening help file %s</translation>
    </message>
    <message>
        <source>10003</source>
        <translation>Connection with the device lost</translation>
    </message>
    <message>
        <source>10004</source>
        <translation>Writing settings to the device. Please wait...</translation>
    </message>
    <message>
        <source>10005</source>
        <translation>Writing firmware to the device. Please wait...</translation>
    </message>
    <message>
        <source>10006</source>
        <translation>Reading settings from the device. Please wait...</translation>
    </message>
    <message>
        <source>10007</source>
        <translation>Factory settings restored</translation>
    </message>
    <message>
        <source>10008</source>
        <translation>Warning! Changing the loop type affects the loop-to-relay bindings!</translation>
    </message>
    <message>
        <source>10009</source>
        <translation>In the &lt;Sounder&gt; mode the notification duration is set on the &lt;Main&gt; page!</translation>
    </message>
    <message>
        <source>10010</source>
        <translation>Device type mismatch - writing not available</translation>
    </message>
    <message>
        <source>10011</source>
        <translation>Device platform mismatch - writing not available</translation>
    </message>
    <message>
        <source>10012</source>
        <translation>Firmware for Velor-580</translation>
    </message>
    <message>
        <source>10013</source>
        <translation>Device type not identified - writing not available</translation>
    </message>
    <message>
        <source>10014</source>
        <translation>Settings saved to the file</translation>
    </message>
    <message>
        <source>10015</source>
        <translation>Enter again?</translation>
    </message>
    <message>
        <source>10016</source>
        <translation>The identifier has a wrong length!</translation>
    </message>
    <message>
        <source>10017</source>
        <translation>The identifier is already in the list!</translation>
    </message>
    <message>
        <source>10018</source>
        <translation>The allowed range is 1 to 253!</translation>
    </message>
    <message>
        <source>10019</source>
        <translation>The allowed range is %s to %s s in steps of 5 s</translation>
    </message>
    <message>
        <source>10020</source>
        <translation>Enter a value for &lt;Entry delay of loop 1 or loop 2&gt;</translation>
    </message>
    <message>
        <source>10021</source>
        <translation>The re-arm time cannot be shorter than the entry delay!</translation>
    </message>
    <message>
        <source>10022</source>
        <translation>The allowed range is %s to %s s</translation>
    </message>
    <message>
        <source>10023</source>
        <translation>Enter a value in the &lt;Auto re-arm&gt; field!</translation>
    </message>
    <message>
        <source>10024</source>
        <translation>Enter a value!</translation>
    </message>
    <message>
        <source>10025</source>
        <translation>To begin, choose the required mode in the &lt;Work mode&gt; menu</translation>
    </message>
    <message>
        <source>10026</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>10027</source>
        <translation>Do you really want to exit?</translation>
    </message>
    <message>
        <source>10028</source>
        <translation>No answer from the device</translation>
    </message>
    <message>
        <source>10029</source>
        <translation>A device of an incompatible type is connected</translation>
    </message>
    <message>
        <source>10030</source>
        <translation>Dallas CRC error</translation>
    </message>
    <message>
        <source>10031</source>
        <translation>No Touch Memory key at the reader</translation>
    </message>
    <message>
        <source>10032</source>
        <translation>Time-out expired</translation>
    </message>
    <message>
        <source>10033</source>
        <translation>Connection established. Device %s found</translation>
    </message>
    <message>
        <source>10034</source>
        <translation>The identifier is already in the list</translation>
    </message>
    <message>
        <source>10035</source>
        <translation>Writing of the settings completed</translation>
    </message>
    <message>
        <source>10036</source>
        <translation>Reading of the settings completed</translation>
    </message>
    <message>
        <source>10037</source>
        <translation>Reading of the identifier completed</translation>
    </message>
    <message>
        <source>10038</source>
        <translation>No connection with the device</translation>
    </message>
    <message>
        <source>10039</source>
        <translation>Error while writing or reading. Remove the cause and repeat the action</translation>
    </message>
    <message>
        <source>10040</source>
        <translation>Firmware replaced successfully</translation>
    </message>
    <message>
        <source>10041</source>
        <translation>Error: firmware not loaded</translation>
    </message>
    <message>
        <source>10042</source>
        <translation>Error initialising the connection</translation>
    </message>
    <message>
        <source>10043</source>
        <translation>Could not send data</translation>
    </message>
    <message>
        <source>10044</source>
        <translation>Firmware writing not completed</translation>
    </message>
    <message>
        <source>10045</source>
        <translation>Could not receive data</translation>
    </message>
    <message>
        <source>10046</source>
        <translation>CRC error in the received packet</translation>
    </message>
    <message>
        <source>10047</source>
        <translation>Wrong packet header</translation>
    </message>
    <message>
        <source>10048</source>
        <translation>Error writing firmware</translation>
    </message>
    <message>
        <source>10049</source>
        <translation>The device reported a CRC error</translation>
    </message>
    <message>
        <source>10050</source>
        <translation>The device does not answer</translation>
    </message>
    <message>
        <source>10051</source>
        <translation>Communication was interrupted</translation>
    </message>
    <message>
        <source>10052</source>
        <translation>Error sending the scenario</translation>
    </message>
    <message>
        <source>10053</source>
        <translation>A Velor-Vorsan system device was found. Settings mode is not available.</translation>
    </message>
    <message>
        <source>10054</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>10055</source>
        <translation>No Velor device is connected to the USB line!</translation>
    </message>
    <message>
        <source>10056</source>
        <translation>More than one Velor device is connected! Leave only one device on the USB line!</translation>
    </message>
    <message>
        <source>10057</source>
        <translation>Error writing settings</translation>
    </message>
    <message>
        <source>10058</source>
        <translation>Error reading settings</translation>
    </message>
    <message>
        <source>10059</source>
        <translation>Error reading the Touch Memory identifier</translation>
    </message>
</context>
</TS>
