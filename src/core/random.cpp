#include "core/random.h"

RandomGenerator& show_random() {
    static RandomGenerator generator;
    return generator;
}
