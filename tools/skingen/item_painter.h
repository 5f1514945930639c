#pragma once
// Paints one item of a page in one of its three looks, by its role.

#include <QPainter>

#include "look.h"
#include "skin_model.h"

namespace skingen {

void paintItem(QPainter& p, const Item& item, Look look);

}  // namespace skingen
