#pragma once

// The height of the island landscape in world units (the water surface is at y = 0.5), at world
// position (x, z). The function is defined everywhere; the terrain mesh samples it.
//
// The landscape, as the camera meets it: a tall rocky highland west of the centre and a long
// ridge to the north frame the low shots; a grassy island to the south and another to the east
// fill the high views; a low islet carries the well on a flat patch at y = 0.8; a sand bar runs
// east from it under the firefly's flight; small rocky islets dot the outer sea. Between them the
// sea floor lies 2 to 5 units deep, rippled sand with rock outcrops, sinking to about 17 units
// towards the edge of the sea.
float TerrainHeight(float x, float z);
