#pragma once

class QSerialPort;

// The transmitter's line: 115200 baud, 8 data bits, no parity, one stop bit,
// no flow control. The window and txctl both set a port up here before
// opening it.
void configureTransmitterLine(QSerialPort &port);
