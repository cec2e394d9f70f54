// Gives the relay of modelfixture.h its meta-object code.
#include "modelfixture.h"
