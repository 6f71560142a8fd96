#pragma once

// What a row of an outline or a list is, as handed to a row painter: a combination of these flags.
enum TOwnerDrawStateFlag : unsigned { odSelected = 1u, odFocused = 2u, odDisabled = 4u };
using TOwnerDrawState = unsigned;
