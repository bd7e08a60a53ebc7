#include "app/Module1.h"
#include "platform/files/StandardDescriptors.h"

int main(int argc, char** argv) {
    quiverel::fs::keepStandardDescriptorsTaken();
    return quiverel::Main(argc, argv);
}
