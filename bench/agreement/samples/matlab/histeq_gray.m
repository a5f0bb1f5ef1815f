function out = histeq_gray(img, levels)
%HISTEQ_GRAY  Histogram equalisation of a grey-scale image.
%   out = histeq_gray(img) spreads the grey levels of img (uint8 or double
%   in [0, 1]) so that their histogram is as flat as possible.
%   out = histeq_gray(img, levels) uses that many output levels.

if nargin < 2, levels = 256; end
validateattributes(levels, {'numeric'}, {'scalar', 'integer', '>=', 2});

wasInteger = isinteger(img);
if wasInteger
    values = double(img) / double(intmax(class(img)));
else
    values = img;
end
if ndims(values) > 2
    error('histeq_gray:color', 'expected a grey-scale image, got %d dimensions', ndims(values));
end

bins = min(max(round(values * (levels - 1)) + 1, 1), levels);
counts = accumarray(bins(:), 1, [levels 1]);
cdf = cumsum(counts) / numel(bins);
cdfMin = cdf(find(cdf > 0, 1));
mapping = (cdf - cdfMin) / max(1 - cdfMin, eps);

out = reshape(mapping(bins), size(values));
if wasInteger
    out = cast(round(out * double(intmax(class(img)))), class(img));
end

if nargout == 0
    subplot(1, 2, 1); imshow(img); title('input');
    subplot(1, 2, 2); imshow(out); title(sprintf('%d levels', levels));
    clear out
end
end
