#pragma once

// The device operations, as the window and the command-line tool hand them to the operation
// logic; the values are the codes the operation thread's log names.
enum class Operation : int {
    ConnectSettings = 0, // connect in the settings work mode
    WriteSettings = 1,   // input: the 257-byte settings image
    ReadSettings = 2,
    ReadKey = 3,         // input: one byte, the identifier edit number 1..28
    ConnectFirmware = 4, // connect in the firmware work mode
    WriteFirmware = 5,   // input: the whole firmware image
};
