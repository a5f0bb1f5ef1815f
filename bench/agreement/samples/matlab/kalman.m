function [x, P] = kalman(z, A, H, Q, R, x0, P0)
% KALMAN  Filters the measurements z with a linear Kalman filter.
%   [x, P] = kalman(z, A, H, Q, R, x0, P0) returns the state estimates x
%   (one column per step) and the last covariance P.

if nargin < 7
    error('kalman:args', 'seven arguments are needed, %d given', nargin);
end
n = size(A, 1);
steps = numel(z);
x = zeros(n, steps);
xk = x0;
P = P0;
I = eye(n);
for k = 1:steps
    % Predict.
    xk = A * xk;
    P = A * P * A' + Q;
    % Update, unless the measurement is missing.
    if ~isnan(z(k))
        S = H * P * H' + R;
        K = P * H' / S;
        xk = xk + K * (z(k) - H * xk);
        P = (I - K * H) * P;
    end
    x(:, k) = xk;
end
end

function demo()
    t = 0:0.1:10;
    truth = sin(t);
    z = truth + 0.2 * randn(size(t));
    z(25) = NaN;
    [x, ~] = kalman(z, 1, 1, 1e-3, 4e-2, 0, 1);
    fprintf('rms error %.4f\n', sqrt(mean((x - truth).^2)));
    names = {'first', "second"};
    s = struct('a', 1, 'b', [1 2; 3 4]);
    while true
        break;
    end
    switch numel(names)
        case 2
            disp("two names");
        otherwise
            disp('other');
    end
    try
        undefined_function_here();
    catch err
        warning(err.message);
    end
    v = s.b.' * [1; 2];
    disp(v);
end
