/* An independent ModBus RTU slave built on libmodbus's server API, for
 * measure-search.sh and poll-rate comparisons: holding register 0 is the level
 * (42.50 %), register 1 the address. DELAY_MS, if given, is how long it thinks
 * before each reply, as a real sensor does. Runs until killed.
 *   modbus-slave DEVICE ADDRESS [DELAY_MS] */
#include <modbus/modbus.h>

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: modbus-slave DEVICE ADDRESS [DELAY_MS]\n");
        return 2;
    }
    const int address = atoi(argv[2]);
    const int delayMs = argc == 4 ? atoi(argv[3]) : 0;
    modbus_t* context = modbus_new_rtu(argv[1], 9600, 'N', 8, 1);
    if (!context || modbus_set_slave(context, address) < 0 || modbus_connect(context) < 0) {
        fprintf(stderr, "modbus-slave: %s\n", modbus_strerror(errno));
        return 1;
    }
    modbus_mapping_t* registers = modbus_mapping_new(0, 0, 2, 0);
    if (!registers)
        return 1;
    registers->tab_registers[0] = 4250;
    registers->tab_registers[1] = (uint16_t)address;
    uint8_t request[MODBUS_RTU_MAX_ADU_LENGTH];
    for (;;) {
        const int length = modbus_receive(context, request);
        if (length > 0) {
            if (delayMs > 0)
                usleep((useconds_t)delayMs * 1000);
            modbus_reply(context, request, length, registers);
        }
        /* A master that closes the line ends the slave too. */
        else if (length < 0 && errno == ECONNRESET)
            return 0;
    }
}
