// Mean colours of a picture's regions, to compare two renderings of the same moment whatever
// their sizes.

// The mean [r, g, b] of each cell of a `columns` x `rows` grid over a decoded PNG, row by row
// from the top.
export function regionMeans(png, columns, rows) {
  const means = [];
  for (let row = 0; row < rows; ++row) {
    for (let column = 0; column < columns; ++column) {
      const x0 = Math.floor((column * png.width) / columns);
      const x1 = Math.floor(((column + 1) * png.width) / columns);
      const y0 = Math.floor((row * png.height) / rows);
      const y1 = Math.floor(((row + 1) * png.height) / rows);
      const sum = [0, 0, 0];
      for (let y = y0; y < y1; ++y) {
        for (let x = x0; x < x1; ++x) {
          const i = (y * png.width + x) * 4;
          for (let c = 0; c < 3; ++c) sum[c] += png.data[i + c];
        }
      }
      const count = (x1 - x0) * (y1 - y0);
      means.push(sum.map((value) => value / count));
    }
  }
  return means;
}

export function meanOf(colours) {
  return [0, 1, 2].map((c) => colours.reduce((total, colour) => total + colour[c], 0) / colours.length);
}

export function luminance([r, g, b]) {
  return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}
