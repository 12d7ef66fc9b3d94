#pragma once

#include "picture.h"

#include <vector>

// Every picture the window shows, with the drawings it is made of.
std::vector<Picture> pictureTable();
